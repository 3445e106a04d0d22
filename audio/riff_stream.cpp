#include "riff_stream.h"

#include "little_endian.h"
#include "platform/application_error.h"
#include "riff_stream_error.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Positions are signed 32-bit byte counts; a file must end before 2 GiB.
constexpr std::int64_t MaxFileSize = std::numeric_limits<std::int32_t>::max();

const char* const TooLargeMessage = "file of 2 GiB or more not supported.";

bool HasId(const std::uint8_t* bytes, const char* id) {
    return std::memcmp(bytes, id, 4) == 0;
}

void WriteU32At(ByteStream& stream, std::int64_t offset, std::uint32_t value) {
    std::uint8_t bytes[4];
    PutU32(bytes, value);
    stream.SetPosition(offset);
    stream.Write(bytes, 4);
}

} // namespace

TRiffStream::~TRiffStream() {
    try {
        TRiffStream::Close();
    } catch (const std::exception& error) {
        // Nobody is left to catch it here, but a file that could not be patched must be told.
        HandleApplicationError(error);
    }
}

void TRiffStream::Open() {
    Creating = false;
    Modified = false;
    TStreamInterface::Open();
    ParseHeader();
    SetPosition(0);
}

void TRiffStream::ParseHeader() {
    ByteStream& stream = OpenedStream();
    if (stream.Size() > MaxFileSize) {
        throw ERiffStreamError(TooLargeMessage);
    }
    std::uint8_t riff[20] = {};
    stream.SetPosition(0);
    if (stream.Read(riff, sizeof riff) == 0 || !HasId(riff, "RIFF") || !HasId(riff + 8, "WAVE") ||
        !HasId(riff + 12, "fmt ")) {
        throw ERiffStreamError("riff chunk not found.");
    }
    std::uint8_t format[16] = {};
    const auto formatBytes = static_cast<int>(stream.Read(format, sizeof format));
    if (formatBytes == 0) {
        throw ERiffStreamError("format chunk not found.");
    }
    Format = PcmWaveFormat::Deserialize(format, formatBytes);
    Format.extraSize = 0;
    stream.SetPosition(20 + std::int64_t{GetU32(riff + 16)});
    FindChunk("data");
    RiffSizeOffset = 4;
    DataSizeOffset = DataStart - 4;
    CopyTrailer();
}

void TRiffStream::FindChunk(const char* id) {
    ByteStream& stream = OpenedStream();
    const std::int64_t size = stream.Size();
    while (size >= stream.Position() + 8) {
        std::uint8_t header[8];
        stream.Read(header, sizeof header);
        const std::int64_t length = GetU32(header + 4);
        if (HasId(header, id)) {
            DataStart = static_cast<std::int32_t>(stream.Position());
            // A length past the end of the file (a truncated file) is kept as it is, so reads
            // just come up short; only a length no 32-bit position can hold ends at the file.
            const std::int64_t end = DataStart + length;
            DataEnd = static_cast<std::int32_t>(end > MaxFileSize ? size : end);
            return;
        }
        stream.SetPosition(stream.Position() + length);
    }
    throw ERiffStreamError("data chunk not found");
}

void TRiffStream::CopyTrailer() {
    ByteStream& stream = OpenedStream();
    Trailer.SetSize(0);
    const std::int64_t rest = stream.Size() - DataEnd;
    if (rest > 0) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rest));
        stream.SetPosition(DataEnd);
        const std::int64_t n = stream.Read(bytes.data(), rest);
        Trailer.Write(bytes.data(), n);
    }
}

void TRiffStream::CreateNew() {
    Creating = true;
    Modified = false;
    TStreamInterface::Open();
    WriteNewHeader();
    DataStart = NewHeaderSize;
    DataEnd = NewHeaderSize;
    RiffSizeOffset = 4;
    DataSizeOffset = NewHeaderSize - 4;
    Trailer.SetSize(0);
    SetPosition(0);
}

void TRiffStream::WriteNewHeader() {
    ByteStream& stream = OpenedStream();
    std::uint8_t header[NewHeaderSize];
    std::memcpy(header + 0, "RIFF", 4);
    PutU32(header + 4, NewHeaderSize - 8);
    std::memcpy(header + 8, "WAVE", 4);
    std::memcpy(header + 12, "fmt ", 4);
    PutU32(header + 16, PcmWaveFormat::SerializedSize);
    const auto format = Format.Serialize();
    std::copy(format.begin(), format.end(), header + 20);
    std::memcpy(header + 38, "data", 4);
    PutU32(header + 42, 0);
    stream.SetSize(NewHeaderSize);
    stream.SetPosition(0);
    stream.Write(header, NewHeaderSize);
}

void TRiffStream::SetPosition(std::int32_t position) {
    ByteStream& stream = OpenedStream();
    // Out-of-range positions are ignored: before the data they would reach into the header.
    if (position < 0 || std::int64_t{DataStart} + position > DataEnd) {
        return;
    }
    const std::int32_t align = Format.blockAlign;
    const std::int32_t aligned = align > 0 ? position - position % align : position;
    stream.SetPosition(std::int64_t{DataStart} + aligned);
}

std::int32_t TRiffStream::GetPosition() {
    return static_cast<std::int32_t>(OpenedStream().Position() - DataStart);
}

std::int32_t TRiffStream::GetSize() {
    OpenedStream();
    return DataEnd - DataStart;
}

void TRiffStream::SetSize(std::int32_t size) {
    ByteStream& stream = OpenedStream();
    const std::int64_t end = std::int64_t{DataStart} + std::max(size, 0);
    if (end > MaxFileSize) {
        throw ERiffStreamError(TooLargeMessage);
    }
    stream.SetSize(end);
    Modified = true;
    // Shrinking moves the end of the data too, so Close writes the trailer right behind it.
    DataEnd = static_cast<std::int32_t>(end);
    if (stream.Position() > DataEnd) {
        stream.SetPosition(DataEnd);
    }
}

std::int32_t TRiffStream::Read(void* buffer, std::int32_t count) {
    ByteStream& stream = OpenedStream();
    const std::int64_t available = std::max<std::int64_t>(0, DataEnd - stream.Position());
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, available);
    return static_cast<std::int32_t>(stream.Read(buffer, n));
}

std::int32_t TRiffStream::Write(const void* buffer, std::int32_t count) {
    ByteStream& stream = OpenedStream();
    if (count <= 0) {
        return 0;
    }
    if (stream.Position() + count > MaxFileSize) {
        throw ERiffStreamError(TooLargeMessage);
    }
    Modified = true;
    const auto written = static_cast<std::int32_t>(stream.Write(buffer, count));
    if (stream.Position() > DataEnd) {
        DataEnd = static_cast<std::int32_t>(stream.Position());
    }
    return written;
}

void TRiffStream::Close() {
    if (!Opened) {
        return;
    }
    try {
        if (Modified) {
            Patch();
        }
    } catch (...) {
        TStreamInterface::Close();
        throw;
    }
    TStreamInterface::Close();
}

void TRiffStream::PatchLengths() {
    if (!Opened || !Modified) {
        return;
    }
    ByteStream& stream = OpenedStream();
    const std::int64_t position = stream.Position();
    Patch();
    stream.SetPosition(position);
}

void TRiffStream::Patch() {
    ByteStream& stream = OpenedStream();
    WriteU32At(stream, DataSizeOffset, static_cast<std::uint32_t>(DataEnd - DataStart));
    const std::int64_t trailerSize = Trailer.Size();
    if (trailerSize > 0) {
        stream.SetPosition(DataEnd);
        stream.Write(Trailer.Bytes().data(), trailerSize);
    }
    if (stream.Size() > DataEnd + trailerSize) {
        stream.SetSize(DataEnd + trailerSize);
    }
    WriteU32At(stream, RiffSizeOffset, static_cast<std::uint32_t>(stream.Size() - 8));
}
