#include "audio/riff_stream_error.h"
#include "audio/wave_file_stream.h"
#include "platform/file_stream.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
const PcmWaveFormat Mono16 = MakePcmWaveFormat(1, 22050, 16);

Bytes ReadAll(TRiffStream& stream) {
    Bytes out(static_cast<std::size_t>(stream.GetSize()) + 16);
    stream.SetPosition(0);
    out.resize(static_cast<std::size_t>(stream.Read(out.data(), static_cast<int>(out.size()))));
    return out;
}

std::string OpenError(const std::string& path) {
    TWaveFileStream stream;
    stream.SetFileName(path);
    try {
        stream.Open();
    } catch (const ERiffStreamError& error) {
        return error.Message();
    }
    return "opened";
}

class WaveFileStreamTest : public testing::Test {
protected:
    // Opens the test's file for reading.
    TWaveFileStream& Opened() {
        reader.SetFileName(path);
        reader.Open();
        return reader;
    }

    TempDir dir;
    std::string path = dir.File("a.wav");
    TWaveFileStream reader;
};

TEST_F(WaveFileStreamTest, NewFileClosedUnwrittenHoldsOnlyTheHeader) {
    TWaveFileStream stream;
    stream.SetFileName(path);
    stream.Format = Stereo16;
    stream.CreateNew();
    stream.Close();

    const Bytes file = ReadFile(path);
    ASSERT_EQ(file.size(), 46u);
    EXPECT_EQ(U32At(file, 4), 38u);
    EXPECT_EQ(U32At(file, 16), 18u);
    EXPECT_EQ(U32At(file, 42), 0u);
    EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 42), std::string("\0\0data", 6));
}

// A cassette being recorded is never replaced by a second writer of the same name.
TEST_F(WaveFileStreamTest, FileBeingWrittenRefusesASecondWriter) {
    const Bytes data = Pattern(1000);
    TWaveFileStream first;
    first.SetFileName(path);
    first.Format = Stereo16;
    first.CreateNew();
    first.Write(data.data(), static_cast<std::int32_t>(data.size()));
    TWaveFileStream second;
    second.SetFileName(path);
    second.Format = Mono16;
    EXPECT_THROW(second.CreateNew(), EFileStreamError);
    first.Close();

    EXPECT_EQ(ReadAll(Opened()), data);
    EXPECT_EQ(reader.Format, Stereo16);
}

TEST_F(WaveFileStreamTest, WrittenFileIsPatchedAndReadsBack) {
    const Bytes data = Pattern(1000);
    {
        TWaveFileStream stream;
        stream.SetFileName(path);
        stream.Format = Mono16;
        stream.CreateNew();
        stream.Write(data.data(), 600);
        stream.Write(data.data() + 600, 400);
        // Destruction closes and patches like Close does.
    }
    const Bytes file = ReadFile(path);
    EXPECT_EQ(U32At(file, 4), file.size() - 8);
    EXPECT_EQ(U32At(file, 42), 1000u);

    TWaveFileStream& stream = Opened();
    EXPECT_EQ(stream.Format, Mono16);
    EXPECT_EQ(stream.GetSize(), 1000);
    EXPECT_EQ(ReadAll(stream), data);
}

TEST_F(WaveFileStreamTest, RejectsFilesThatAreNotWave) {
    const Bytes data = Pattern(8);
    const struct {
        const char* name;
        Bytes file;
        const char* message;
    } cases[] = {
        {"empty", {}, "riff chunk not found."},
        {"list first",
         WaveFixture().Chunk("LIST", Pattern(4)).Format(Stereo16).Chunk("data", data).Build(),
         "riff chunk not found."},
        {"not wave",
         [] {
             auto b = WaveFixture().Format(Stereo16).Build();
             b[8] = 'X';
             return b;
         }(),
         "riff chunk not found."},
        {"header only", WaveFixture().ChunkHeader("fmt ", 16).Build(), "format chunk not found."},
        {"no data", WaveFixture().Format(Stereo16).Chunk("LIST", Pattern(6)).Build(),
         "data chunk not found"},
    };
    for (const auto& c : cases) {
        WriteFile(path, c.file);
        EXPECT_EQ(OpenError(path), c.message) << c.name;
    }
    EXPECT_EQ(OpenError(dir.File("missing.wav")), "File not found.");
}

TEST_F(WaveFileStreamTest, WalksLongFormatAndOddChunksWithoutPadding) {
    const Bytes data = Pattern(40);
    for (int formatLength : {16, 18, 40}) {
        WaveFixture()
            .Format(Stereo16, formatLength)
            .Chunk("odd ", Pattern(3))
            .Chunk("data", data)
            .WriteTo(path);
        TWaveFileStream& stream = Opened();
        EXPECT_EQ(stream.Format, Stereo16) << formatLength;
        EXPECT_EQ(ReadAll(stream), data) << formatLength;
    }
}

TEST_F(WaveFileStreamTest, PositionsStayInsideTheDataOnWholeFrames) {
    WriteWave(path, Mono16, Pattern(100));
    TWaveFileStream& stream = Opened();

    stream.SetPosition(31);
    EXPECT_EQ(stream.GetPosition(), 30);
    stream.SetPosition(101);
    EXPECT_EQ(stream.GetPosition(), 30);
    stream.SetPosition(-2);
    EXPECT_EQ(stream.GetPosition(), 30);
    stream.SetPosition(100);
    EXPECT_EQ(stream.GetPosition(), 100);

    std::uint8_t buffer[64];
    stream.SetPosition(90);
    EXPECT_EQ(stream.Read(buffer, 64), 10);
    EXPECT_EQ(stream.Read(buffer, 64), 0);
}

TEST_F(WaveFileStreamTest, TruncatedDataChunkKeepsItsDeclaredLength) {
    WaveFixture().Format(Stereo16).ChunkHeader("data", 1000).Raw(Pattern(100)).WriteTo(path);
    TWaveFileStream& stream = Opened();
    EXPECT_EQ(stream.GetSize(), 1000);
    EXPECT_EQ(ReadAll(stream), Pattern(100));
}

TEST_F(WaveFileStreamTest, UnknownDataLengthOfStreamingWritersEndsAtTheFile) {
    WaveFixture().Format(Stereo16).ChunkHeader("data", 0xFFFFFFFF).Raw(Pattern(100)).WriteTo(path);
    TWaveFileStream& stream = Opened();
    EXPECT_EQ(stream.GetSize(), 100);
}

TEST_F(WaveFileStreamTest, ClosedStreamRefusesWork) {
    TWaveFileStream stream;
    const std::string expected = "stream not opened.";
    std::uint8_t byte = 0;
    for (const auto& call : std::initializer_list<std::function<void()>>{
             [&] { stream.GetSize(); }, [&] { stream.GetPosition(); },
             [&] { stream.SetPosition(0); }, [&] { stream.SetSize(0); },
             [&] { stream.Read(&byte, 1); }}) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const ERiffStreamError& error) {
            EXPECT_EQ(error.Message(), expected);
        }
    }
}

TEST_F(WaveFileStreamTest, RefusesToGrowPastTwoGibibytes) {
    TWaveFileStream stream;
    stream.SetFileName(path);
    stream.CreateNew();
    EXPECT_THROW(stream.SetSize(0x7FFFFFF0), ERiffStreamError);
}

TEST_F(WaveFileStreamTest, SetFileNameClosesAndPatchesTheOpenFile) {
    TWaveFileStream stream;
    stream.SetFileName(path);
    stream.CreateNew();
    stream.Write(Pattern(8).data(), 8);
    stream.SetFileName(dir.File("b.wav"));
    EXPECT_FALSE(stream.IsOpened());
    EXPECT_EQ(U32At(ReadFile(path), 42), 8u);
}

// A RIFF stream over bytes the test keeps, so a file with chunks after its data can be edited.
class ChunkedRiffStream : public TRiffStream {
public:
    explicit ChunkedRiffStream(MemoryStream& backing) : backing(backing) {}
    ~ChunkedRiffStream() override { Close(); }

    std::unique_ptr<ByteStream> CreateStream() override { return std::make_unique<Proxy>(backing); }

private:
    struct Proxy : ByteStream {
        explicit Proxy(MemoryStream& target) : target(target) {}
        std::int64_t Read(void* b, std::int64_t n) override { return target.Read(b, n); }
        std::int64_t Write(const void* b, std::int64_t n) override { return target.Write(b, n); }
        std::int64_t Position() const override { return target.Position(); }
        void SetPosition(std::int64_t p) override { target.SetPosition(p); }
        std::int64_t Size() const override { return target.Size(); }
        void SetSize(std::int64_t s) override { target.SetSize(s); }
        MemoryStream& target;
    };
    MemoryStream& backing;
};

TEST(RiffStreamTest, ChunksAfterTheDataMoveBehindAppendedData) {
    const Bytes trailer = WaveFixture().Chunk("LIST", Pattern(7, 3)).Build();
    const Bytes listChunk(trailer.begin() + 12, trailer.end());
    MemoryStream file;
    const Bytes original =
        WaveFixture().Format(Stereo16).Chunk("data", Pattern(8)).Raw(listChunk).Build();
    file.Write(original.data(), static_cast<std::int64_t>(original.size()));

    ChunkedRiffStream stream(file);
    stream.Open();
    stream.SetPosition(8);
    const Bytes more = Pattern(12, 9);
    stream.Write(more.data(), 12);
    stream.Close();

    const Bytes& result = file.Bytes();
    ASSERT_EQ(result.size(), original.size() + 12);
    EXPECT_EQ(U32At(result, 4), result.size() - 8);
    EXPECT_EQ(U32At(result, 40), 20u);
    EXPECT_EQ(Bytes(result.end() - static_cast<long>(listChunk.size()), result.end()), listChunk);
    EXPECT_EQ(Bytes(result.begin() + 52, result.begin() + 64), more);
}

} // namespace
