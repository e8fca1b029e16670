#pragma once
// Where each byte lies in the full-screen picture files that other tools of this kind exchange.
// Every one is 256 x 192; a bitmap is in the machine's screen order and an attribute byte (flash
// bit 7, bright 6, paper 5-3, ink 2-0, as in .tin) colours one cell 8 pixels wide.
//
//   .scr  6912   one frame: bitmap (6144), then 768 attributes of 8x8 cells, 32 a row
//   .img  13824  two frames, each as .scr: frame 0 at 0, frame 1 at 6912
//   .mg8  14080  256-byte header ("MGH", version 1, cell height, two border bytes, zeros);
//   .mg4  15616  bitmap 0 at 256, bitmap 1 at 6400; then frame 0's attributes (32 a cell row,
//   .mg2  18688  192 / height rows), then frame 1's
//   .mg1  19456  header and bitmaps as above; columns 8-23 in 8x1 cells (16 a row: frame 0 at
//                12544, frame 1 at 15616), columns 0-7 and 24-31 in 8x8 cells (per cell row 8
//                left then 8 right: frame 0 at 18688, frame 1 at 19072)

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/model/screen_buffers.h"

namespace tinto {

enum class ScreenFile : std::uint8_t { Scr, Img, Mg8, Mg4, Mg2, Mg1 };

inline constexpr std::array kScreenFiles = {ScreenFile::Scr, ScreenFile::Img, ScreenFile::Mg8,
                                            ScreenFile::Mg4, ScreenFile::Mg2, ScreenFile::Mg1};

// No screen file is longer; a reader never looks further.
inline constexpr std::size_t kMaxScreenFileBytes = 19456;
inline constexpr std::size_t kMgHeaderBytes = 256;
inline constexpr std::string_view kMgMagic = "MGH";
inline constexpr std::uint8_t kMgVersion = 1;
// The header bytes after the magic: version, cell height, then the two border bytes.
inline constexpr std::size_t kMgVersionAt = 3;
inline constexpr std::size_t kMgCellHeightAt = 4;

// ".scr", ".img", ".mg8", ".mg4", ".mg2" or ".mg1".
std::string_view ExtensionOf(ScreenFile file);

// The file whose extension ends `path`, letter case ignored ("PIC.SCR" too, as older tools
// write them); none for any other name.
std::optional<ScreenFile> ScreenFileOfPath(std::string_view path);

std::size_t FileBytesOf(ScreenFile file);
bool HasMgHeader(ScreenFile file);
// 1 for a .scr, 2 for the others.
int FramesOf(ScreenFile file);
// The rows of one attribute cell: 8, 8, 8, 4, 2, and 1 for .mg1 (whose outer columns have 8).
int CellHeightOf(ScreenFile file);

// The header file whose cell height is `height`; none for a height no such file has.
std::optional<ScreenFile> MgFileOfCellHeight(int height);

// Byte of pixel row y (0..191), byte column c (0..31) in a 6144-byte bitmap in screen order.
constexpr std::size_t ScreenOrderOffset(int y, int c) {
  return static_cast<std::size_t>(((y & 0xC0) << 5) | ((y & 7) << 8) | ((y & 0x38) << 2) | c);
}

// Where frame f's pixel byte at row y, column c lies in the file, and its attribute: the byte of
// the cell that holds (y, c). Preconditions: f < FramesOf(file), y in 0..191, c in 0..31.
std::size_t PixelOffset(ScreenFile file, FrameIndex f, int y, int c);
std::size_t AttributeOffset(ScreenFile file, FrameIndex f, int y, int c);

}  // namespace tinto
