#pragma once
// Reader of the accounting product's support information file SUPPORT.INF (current folder), which
// gives the product's name and version as labelled entries: "[=name=]value" CR LF.
#include <cstddef>
#include <string_view>

class CSupportInfo {
public:
    static constexpr size_t kBufferSize = 30000;

    CSupportInfo() = default;
    ~CSupportInfo();
    CSupportInfo(const CSupportInfo&) = delete;
    CSupportInfo& operator=(const CSupportInfo&) = delete;

    // Reads the file once. False when the buffer cannot be had (after the memory message) or the file
    // cannot be read; a missing file still keeps the buffer, so later calls succeed and find nothing.
    bool Load();
    // The label's value, pointing into the buffer (valid while the object lives); empty when the file
    // or the label is missing.
    std::string_view GetProductName();
    std::string_view GetProductVersion();

private:
    std::string_view Lookup(std::string_view label);

    char* m_buffer = nullptr;
    size_t m_contentLength = 0;  // bytes read from the file; the rest of the buffer is 0xFF
};
