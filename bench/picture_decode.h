#pragma once
// Times OleLoadPicture over each picture file as the card loads its backgrounds (a
// movable copy, a stream over it), to weigh other encodings of the pictures. Prints
// the size and the median and minimum decode time of each; false if a file is missing.
bool PrintPictureDecodeTimes(int count, char** paths);
