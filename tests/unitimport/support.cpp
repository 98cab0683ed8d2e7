#include "tests/unitimport/support.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace kbtest {

TTempDir::TTempDir()
{
    static std::atomic<int> counter{0};
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() /
             ("kb-unitimport-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::string ReadBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& p, std::string_view bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string Crlf(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

namespace {

class RawReader
{
public:
    explicit RawReader(std::span<const uint8_t> d) : m_d(d) {}
    bool AtEnd() const { return m_pos >= m_d.size(); }
    int Byte() { return AtEnd() ? -1 : m_d[m_pos++]; }
    int Word()
    {
        const int lo = Byte(), hi = Byte();
        return lo < 0 || hi < 0 ? -1 : lo | hi << 8;
    }
    std::string Text()
    {
        std::string s;
        for (int c = Byte(); c > 0; c = Byte())
            s += char(c);
        return s;
    }

private:
    std::span<const uint8_t> m_d;
    size_t m_pos = 0;
};

std::string Pair(RawReader& in)
{
    const int x = in.Word();
    return std::to_string(x) + "," + std::to_string(in.Word());
}

} // namespace

std::vector<std::string> DumpBls(std::span<const uint8_t> bytes)
{
    static const std::string kMagic = "FileKestrabinEditorV2";
    std::vector<std::string> out;
    if (bytes.size() < kMagic.size() ||
        std::string(bytes.begin(), bytes.begin() + long(kMagic.size())) != kMagic)
        return {"not a diagram file"};
    RawReader in(bytes.subspan(kMagic.size()));
    for (int i = 0; !in.AtEnd(); ++i) {
        const int kind = in.Byte();
        std::string row = std::to_string(i);
        if (kind == 0) {
            const int flags = in.Byte();
            // Line breaks inside a text are shown as \r\n, one record a row.
            std::string text;
            for (char c : in.Text())
                text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
            const std::string lt = Pair(in), rb = Pair(in);
            row +=
                " block kind=" + std::to_string(flags) + " rect=" + lt + "," + rb + " text=" + text;
        } else if (kind == 1) {
            const int style = in.Byte();
            const int a = in.Word(), b = in.Word();
            const std::string pa = Pair(in), pb = Pair(in);
            row += " link style=" + std::to_string(style) + " A=" + std::to_string(a) + "@" + pa +
                   " B=" + std::to_string(b) + "@" + pb;
        } else {
            out.push_back(row + " unknown record " + std::to_string(kind));
            break;
        }
        out.push_back(row);
    }
    return out;
}

std::vector<std::string> DumpBlsFile(const std::filesystem::path& p)
{
    const std::string bytes = ReadBytes(p);
    return DumpBls({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

kb::unitimport::TLines LinesOf(std::string_view source)
{
    return kb::unitimport::ScanText(source).Lines;
}

} // namespace kbtest
