#include "viewer/png.hpp"

#include <array>
#include <cstdint>
#include <fstream>

namespace {

std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
    return ~crc;
}

void putBig(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

// A chunk: its length, type and data, and the CRC of type and data.
void chunk(std::vector<unsigned char>& file, const char* type, const std::vector<unsigned char>& data)
{
    putBig(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    putBig(file, crc32(file.data() + start, file.size() - start));
}

// A zlib stream of stored blocks (at most 65,535 bytes each) and the Adler-32 of the bytes.
std::vector<unsigned char> stored(const std::vector<unsigned char>& bytes)
{
    std::vector<unsigned char> z = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t size = std::min<std::size_t>(65'535, bytes.size() - at);
        z.push_back(at + size == bytes.size() ? 1 : 0); // the last block, stored
        z.push_back(static_cast<unsigned char>(size));
        z.push_back(static_cast<unsigned char>(size >> 8));
        z.push_back(static_cast<unsigned char>(~size));
        z.push_back(static_cast<unsigned char>(~size >> 8));
        z.insert(z.end(), bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + size));
        at += size;
    } while (at < bytes.size());
    std::uint32_t a = 1, b = 0;
    for (const unsigned char c : bytes) {
        a = (a + c) % 65'521;
        b = (b + a) % 65'521;
    }
    putBig(z, b << 16 | a);
    return z;
}

} // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != 3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return false;
    std::vector<unsigned char> rows; // each row after its filter byte, 0: none
    rows.reserve(rgb.size() + static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows.push_back(0);
        const auto row = rgb.begin() + static_cast<long>(3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(y));
        rows.insert(rows.end(), row, row + 3L * width);
    }
    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}, header;
    putBig(header, static_cast<std::uint32_t>(width));
    putBig(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter method, no interlace
    chunk(file, "IHDR", header);
    chunk(file, "IDAT", stored(rows));
    chunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out.flush());
}
