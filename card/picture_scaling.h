#pragma once
#include <cstdint>

// Resamples a picture of 0x00RRGGBB pixels, rows top down, from `fromWidth` x `fromHeight`
// to `toWidth` x `toHeight`: each pixel interpolated between the four nearest of the
// source, pixel centres on pixel centres, the edges held. Used to enlarge the card's
// picture, where copying pixels would show blocks and the system's averaging is slow.
void ScalePicture(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to,
                  int toWidth, int toHeight);
