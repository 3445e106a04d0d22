#pragma once

#include "pcm_wave_format.h"
#include "platform/memory_stream.h"
#include "stream_interface.h"

// The sample data of a RIFF/WAVE file as a plain byte stream: position 0 is the first byte of
// the data chunk and the size is that chunk's length. Everything around the data is kept, and
// a changed file gets its RIFF and data lengths patched on Close.
class TRiffStream : public TStreamInterface {
public:
    static constexpr std::int32_t NewHeaderSize = 46;

    TRiffStream() = default;
    ~TRiffStream() override;

    void SetPosition(std::int32_t position) override;
    std::int32_t GetPosition() override;
    std::int32_t GetSize() override;
    void SetSize(std::int32_t size) override;
    void Open() override;
    void Close() override;
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    virtual void CreateNew();
    // Writes the current RIFF and data lengths into the header of a changed file, so that what
    // has been written so far survives a crash; the stream stays open where it was.
    void PatchLengths();

    PcmWaveFormat Format;

protected:
    bool Creating = false;
    std::int32_t DataStart = 0;
    std::int32_t DataEnd = 0;
    MemoryStream Trailer;
    std::int32_t RiffSizeOffset = 4;
    std::int32_t DataSizeOffset = 0;
    bool Modified = false;

private:
    void ParseHeader();
    void WriteNewHeader();
    void FindChunk(const char* id);
    void CopyTrailer();
    void Patch();
};
