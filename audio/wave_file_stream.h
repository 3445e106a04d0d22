#pragma once

#include "riff_stream.h"

#include <string>

// A WAVE file on disk, named by SetFileName: Open reads an existing file (others may keep
// using it), CreateNew starts a new one in its place unless another writer holds it.
class TWaveFileStream : public TRiffStream {
public:
    TWaveFileStream() = default;
    ~TWaveFileStream() override;

    std::unique_ptr<ByteStream> CreateStream() override;

    // Closes (and so patches) an open file first.
    void SetFileName(const std::string& name);
    const std::string& GetFileName() const { return FileName; }

private:
    std::string FileName;
};
