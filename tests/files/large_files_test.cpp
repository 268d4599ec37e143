// Files far larger than what their heads promise, made as sparse files (no
// disk used): every reader refuses them from the bytes of its head, counted
// through the reader; a load under a real address-space limit ends with a
// status line and changes nothing; and the reader over a file reads what the
// reader over the same bytes in memory reads.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string_view>

#include "engine/baseshape_images.h"
#include "engine/baseshape_record.h"
#include "engine/file_dialogs.h"
#include "engine/status_line.h"
#include "files/baseshape_file.h"
#include "files/baseshape_file_dialogs.h"
#include "files/file_status.h"
#include "files/fractal_data_file.h"
#include "files/material_file.h"
#include "files/stl_import.h"
#include "platform/scripted_dialogs.h"
#include "render/render_buffers.h"
#include "support/baseshape_state.h"

namespace {

constexpr uint64_t kGiB = uint64_t{1} << 30;
constexpr uint64_t kWindow = 64 * 1024;  // what the reader takes from a file at a time

// head at the start of a file of size bytes, the rest a hole; tail, when
// given, written at tailAt.
std::string Sparse(const std::string& name, const std::vector<uint8_t>& head, uint64_t size,
                   const std::vector<uint8_t>& tail = {}, uint64_t tailAt = 0)
{
    const std::string path = TempPath(name);
    WriteBytes(path, head);
    const int fd = ::open(path.c_str(), O_WRONLY);
    EXPECT_GE(fd, 0) << path;
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0) << path;
    if (!tail.empty()) {
        EXPECT_EQ(::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(tailAt)), static_cast<long>(tail.size()));
    }
    ::close(fd);
    return path;
}

std::vector<uint8_t> Cut(const std::vector<uint8_t>& bytes, size_t from, size_t to)
{
    return {bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(to)};
}

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> bytes(words.size() * 4);
    std::memcpy(bytes.data(), std::data(words), bytes.size());
    return bytes;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// What parse says of the file, and how many bytes it took from it.
struct Parsed {
    bool read = false;
    uint64_t bytesRead = 0;
};

Parsed ParseFile(const std::string& path, const std::function<bool(BinaryReader&)>& parse)
{
    OpenedFile file;
    EXPECT_TRUE(OpenChosenFile(path.c_str(), size_t{4} * kGiB, &file)) << gStatusText;
    BinaryReader in(file.fd, file.size);
    const bool read = parse(in);
    return {read, in.BytesFromFile()};
}

bool FractalData(BinaryReader& in, bool buffers)
{
    auto doc = std::make_unique<FractalDataDocument>();
    return ParseFractalDataFile(in, buffers, doc.get(), nullptr) == FileParseStatus::kRead;
}

bool Baseshapes(BinaryReader& in)
{
    std::vector<BaseshapeFileEntry> entries;
    return ParseBaseshapeFile(in, kMaxBaseshapes, &entries, nullptr) == BaseshapeFileStatus::kRead;
}

bool Stl(BinaryReader& in)
{
    StlMesh mesh;
    return ParseStl(in, &mesh, nullptr) == StlStatus::kTriangles;
}

bool Material(BinaryReader& in)
{
    MaterialSettings settings;
    return ParseMaterialFile(in, &settings, nullptr) == FileParseStatus::kRead;
}

class LargeFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gShader.InitializeTextures(); }
    void SetUp() override
    {
        dialogs_.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
        InitNewBaseshape(BaseshapeDefaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 64, 415, 0, 1}, 0);
        ClearBaseshapeTexture(0), ClearBaseshapeMesh(0);
        gBaseshapeCount = 1;
    }
    void TearDown() override { FreeRenderBuffers(); }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
};

// 4 GiB ".zb3f" and ".zdat", 2 GiB ".bsf", ".stl" and ".bmat": zeros, or a
// head that promises what the size cannot hold, are refused from the first
// window; a sound file followed by a hole reads its own bytes only.
TEST_F(LargeFiles, ReadersRefuseFromTheHead)
{
    ASSERT_TRUE(AllocateRenderBuffers(16, 16, false));
    gTransformCount = gPickTransformCount = 2;
    std::vector<uint8_t> zb3f, bsf, bmat;
    ASSERT_TRUE(WriteFractalDataFile(SinkOf(zb3f), true, {}));
    ASSERT_TRUE(WriteBaseshapeFile(SinkOf(bsf), 0, 1));
    ASSERT_TRUE(WriteMaterialFile(SinkOf(bmat)));
    std::vector<uint8_t> wide = zb3f;  // a 3072 x 3072 render promised
    std::memcpy(wide.data() + 8, Words({3072, 3072}).data(), 8);
    const std::vector<uint8_t> facet = Join({std::vector<uint8_t>(80, 'x'), Words({1}), std::vector<uint8_t>(50, 0)});
    const std::vector<uint8_t> solidLine = {'s', 'o', 'l', 'i', 'd', ' ', 'b', 'i', 'g', '\n'};
    const auto buffers = [](BinaryReader& in) { return FractalData(in, true); };
    const auto parameters = [](BinaryReader& in) { return FractalData(in, false); };
    const struct {
        const char* name;
        std::vector<uint8_t> head;
        uint64_t size;
        std::function<bool(BinaryReader&)> parse;
        bool read;
        uint64_t bytesRead;  // at most
    } cases[] = {
        {"zeros.zb3f", {}, 4 * kGiB, buffers, false, kWindow},
        {"zeros.zdat", {}, 4 * kGiB, parameters, false, kWindow},
        {"wide.zb3f", wide, wide.size(), buffers, false, kWindow},
        // Room for what it promises: a render of zeros, read as far as its buffers go.
        {"wide_then_zeros.zb3f", wide, 4 * kGiB, buffers, true, wide.size() + 14 * 3072 * 3072 + kWindow},
        {"sound_then_zeros.zb3f", zb3f, 4 * kGiB, buffers, true, zb3f.size() + kWindow},
        {"zeros.bsf", {}, 2 * kGiB, Baseshapes, false, kWindow},
        {"one_then_zeros.bsf", bsf, 2 * kGiB, Baseshapes, false, kWindow},
        {"zeros.stl", {}, 2 * kGiB, Stl, false, kWindow},
        {"one_facet_then_zeros.stl", facet, 2 * kGiB, Stl, true, kWindow},  // the rest left unread
        // Text, 1.5 GB: a line of zeros is no STL line, and is looked at only
        // as far as the longest a line may be.
        {"text_then_zeros.stl", solidLine, 3 * kGiB / 2, Stl, false, 3 * kWindow},
        {"solid_then_zeros.stl", {'s', 'o', 'l', 'i', 'd'}, 3 * kGiB / 2, Stl, false, 3 * kWindow},
        {"zeros.bmat", {}, 2 * kGiB, Material, false, kWindow},
        {"sound_then_zeros.bmat", bmat, 2 * kGiB, Material, true, bmat.size() + kWindow},
    };
    for (const auto& c : cases) {
        const Parsed p = ParseFile(Sparse(c.name, c.head, c.size), c.parse);
        EXPECT_EQ(p.read, c.read) << c.name;
        EXPECT_LE(p.bytesRead, c.bytesRead) << c.name;
    }
    EXPECT_GT(zb3f.size(), 3 * kWindow) << "the sound file spans several windows";
}

// A process with 64 MB of address space to spare: a 201 MB texture of a
// ".bsf" and a 201 MB background of a ".bmat" cannot be had. Each load ends
// with the status line and nothing changed; a 2 GiB text ".stl", read a
// line at a time, is refused by its second line within that space.
TEST_F(LargeFiles, LoadsUnderARealAddressSpaceLimitChangeNothing)
{
    constexpr uint32_t kSide = 16384, kRows = 4096;  // 2^26 pixels, the most a picture may have
    constexpr uint64_t kPixels = uint64_t{kSide} * kRows * 3;
    // The baseshape file with a texture of that size: the entry's fixed
    // fields, the texture block's size, name and a hole for its pixels.
    gBaseshapes[0].useTexture = 1;
    std::vector<uint8_t> bsf;
    ASSERT_TRUE(WriteBaseshapeFile(SinkOf(bsf), 0, 1));
    constexpr size_t kTexture = 186, kOldPixels = 16 * 16 * 3;
    const std::vector<uint8_t> bsfHead = Join({Cut(bsf, 0, kTexture), Words({kSide, kRows}), Cut(bsf, kTexture + 8, kTexture + 268)});
    const std::string bigBsf = Sparse("big_texture.bsf", bsfHead, bsfHead.size() + kPixels + bsf.size() - kTexture - 268 - kOldPixels,
                                      Cut(bsf, kTexture + 268 + kOldPixels, bsf.size()), bsfHead.size() + kPixels);
    gBaseshapes[0].useTexture = 0;
    // The material file with a background of that size.
    std::vector<uint8_t> bmat;
    ASSERT_TRUE(WriteMaterialFile(SinkOf(bmat)));
    constexpr size_t kBackground = 8 + 7 + 12 + 9 + 260;
    const SlotImage* background = gShader.slots[kBackgroundSlot].Image().get();
    // The writer's grey stand-in when the slot has no picture.
    const size_t oldBackground = background ? size_t{background->width} * background->height * 3 : 8 * 8 * 3;
    const std::vector<uint8_t> bmatHead = Join({Cut(bmat, 0, kBackground), Words({kSide, kRows})});
    const std::string bigBmat = Sparse("big_background.bmat", bmatHead, bmatHead.size() + kPixels + bmat.size() - kBackground - 8 - oldBackground,
                                       Cut(bmat, kBackground + 8 + oldBackground, bmat.size()), bmatHead.size() + kPixels);
    const std::string bigStl = Sparse("big_text.stl", {'s', 'o', 'l', 'i', 'd', ' ', 'b', 'i', 'g', '\n'}, 2 * kGiB);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
#if !defined(TALVORAN_ADDRESS_SANITIZER) && !defined(TALVORAN_THREAD_SANITIZER)
        // The sanitizers reserve terabytes of address space, so only the
        // plain build can set the limit.
        unsigned long pages = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%lu", &pages) != 1) ::_exit(10);
        std::fclose(statm);
        rlimit limit{};
        ::getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = pages * static_cast<unsigned long>(::sysconf(_SC_PAGESIZE)) + (64ul << 20);
        if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(11);
        const std::vector<uint8_t> baseshapes = BaseshapeState();
        const MaterialValues materials = CaptureMaterialValues();
        const std::function<bool()> loads[] = {
            [&] { return dialogs_.QueueFile(bigBsf), LoadBaseshapeFile(); },
            [&] { return dialogs_.QueueFile(bigBsf), AppendBaseshapeFile(); },
            [&] { return dialogs_.QueueFile(bigBmat), LoadMaterial(); },
            [&] { return ImportStlFile(bigStl.c_str(), 0); },
        };
        const char* said[] = {"Insufficient System Memory!", "Insufficient System Memory!", "Insufficient System Memory!",
                              "Talvoran :   big_text.stl is not an STL file we can open: line 2 is longer than 64 KiB."};
        for (int k = 0; k < static_cast<int>(std::size(loads)); ++k) {
            gStatusText[0] = '\0';
            if (loads[k]()) ::_exit(20 + k);
            if (std::strcmp(gStatusText, said[k]) != 0) ::_exit(30 + k);
            if (BaseshapeState() != baseshapes || !(CaptureMaterialValues() == materials)) ::_exit(40 + k);
        }
        if (gShader.slots[kBackgroundSlot].Image().get() != background) ::_exit(50);
#endif
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child was ended by a signal: " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2x: a load said it loaded, 3x: another status line, 4x: the model changed";
}

// Reads of every kind and size, lines among them, drawn from a seeded
// stream, give the same bytes and the same failures from a file as from
// memory.
TEST_F(LargeFiles, AFileReadsAsTheSameBytesInMemory)
{
    std::mt19937 r(56);
    std::vector<uint8_t> bytes(300000);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(r());
    const std::string path = TempPath("random.bin");
    WriteBytes(path, bytes);
    for (int run = 0; run < 40; ++run) {
        OpenedFile file;
        ASSERT_TRUE(OpenChosenFile(path.c_str(), bytes.size(), &file));
        BinaryReader fromFile(file.fd, file.size), fromMemory(bytes.data(), bytes.size());
        while (!fromMemory.Failed()) {
            const uint32_t kind = r() % 5;
            // Mostly small reads, some across a window, a few past the end.
            const size_t n = r() % 8 == 0 ? r() % 150000 : r() % 40;
            std::vector<uint8_t> a(n), b(n);
            bool okA = false, okB = false;
            if (kind == 0) {
                const uint8_t* x = fromFile.Take(n);
                const uint8_t* y = fromMemory.Take(n);
                okA = x != nullptr, okB = y != nullptr;
                if (okA && okB) {
                    ASSERT_EQ(std::memcmp(x, y, n), 0) << "Take at " << fromMemory.Offset();
                }
            } else if (kind == 1) {
                okA = fromFile.Bytes(a.data(), n), okB = fromMemory.Bytes(b.data(), n);
                ASSERT_EQ(a, b) << "Bytes at " << fromMemory.Offset();
            } else if (kind == 2) {
                okA = fromFile.Skip(n), okB = fromMemory.Skip(n);
            } else if (kind == 3) {
                // Lines of about 128 bytes (a "\n" or "\r" a 256), some past the limit.
                const size_t limit = r() % 600;
                std::string_view x, y;
                const LineRead lineA = fromFile.NextLine(&x, limit), lineB = fromMemory.NextLine(&y, limit);
                ASSERT_EQ(lineA, lineB) << "NextLine at " << fromMemory.Offset();
                if (lineA == LineRead::kLine) {
                    ASSERT_EQ(x, y);
                    ASSERT_LE(x.size(), limit);
                    ASSERT_EQ(x.find_first_of("\r\n"), std::string_view::npos);
                }
                if (lineA == LineRead::kTooLong) fromFile.Skip(limit), fromMemory.Skip(limit);
                okA = lineA != LineRead::kFailed, okB = lineB != LineRead::kFailed;
                if (lineB == LineRead::kEnd) fromFile.Skip(1), fromMemory.Skip(1);  // the end: a failure ends the run
            } else {
                uint32_t x = 1, y = 2;
                okA = fromFile.Read(x), okB = fromMemory.Read(y);
                if (okA && okB) {
                    ASSERT_EQ(x, y);
                }
            }
            ASSERT_EQ(okA, okB) << "run " << run << " kind " << kind << " n " << n;
            ASSERT_EQ(fromFile.Offset(), fromMemory.Offset());
        }
        EXPECT_TRUE(fromFile.Failed());
        EXPECT_FALSE(fromFile.ReadError());
        EXPECT_LE(fromFile.BytesFromFile(), bytes.size());
    }
    // A CR that ends the first window is a line end of one byte or, with
    // the LF after it, of two.
    for (const char* after : {"\nb\rc", "b\r\nc\r"}) {
        std::string text(kWindow - 1, 'a');
        text += '\r';
        text += after;
        const std::string linesPath = TempPath("lines.txt");
        WriteBytes(linesPath, std::vector<uint8_t>(text.begin(), text.end()));
        OpenedFile lines;
        ASSERT_TRUE(OpenChosenFile(linesPath.c_str(), text.size(), &lines));
        BinaryReader in(lines.fd, lines.size);
        std::string_view line;
        std::vector<std::string> got;
        while (in.NextLine(&line, kWindow) == LineRead::kLine) got.emplace_back(line);
        EXPECT_EQ(got, (std::vector<std::string>{std::string(kWindow - 1, 'a'), "b", "c"})) << after;
    }
    // A file that shrinks after it was opened gives out: a read error, not
    // bytes the file never had.
    OpenedFile file;
    ASSERT_TRUE(OpenChosenFile(path.c_str(), bytes.size(), &file));
    BinaryReader in(file.fd, file.size);
    ASSERT_EQ(::truncate(path.c_str(), 1000), 0);
    std::vector<uint8_t> all(bytes.size());
    EXPECT_FALSE(in.Bytes(all.data(), all.size()));
    EXPECT_TRUE(in.ReadError());
}

}  // namespace
