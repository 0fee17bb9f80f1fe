#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The built program, loaded as a data file so that its resources are read exactly as
// shipped and none of its code runs. Null when it cannot be opened.
HMODULE ProgramModule();

// The program's path in the form the Windows side opens.
std::string ProgramPath();

// The bytes of one resource of the program; empty when there is none.
std::vector<unsigned char> ProgramResource(LPCSTR type, int id);

// A committed data file under resources/, read whole; empty when missing.
std::vector<unsigned char> ReadDataFile(const std::string& relativePath);

// Little-endian reads from a resource's bytes; zero past the end, so that a short
// resource fails the comparison instead of the test.
std::uint16_t Word(const std::vector<unsigned char>& bytes, std::size_t at);
std::uint32_t Dword(const std::vector<unsigned char>& bytes, std::size_t at);
