#pragma once
// A file that fills up like a full disk: the bytes up to the limit reach the file below, the write
// that crosses it fails, and so does the flush. Writes after that (which the code must not attempt)
// are counted and still passed on, so a writer that goes on writing shows in the file.
#include <cstddef>
#include <memory>
#include <optional>

#include "platform/Platform.h"

namespace testsupport {

class CFailingWriter : public IFileWriter {
public:
    CFailingWriter(std::unique_ptr<IFileWriter> file, std::optional<size_t> limit, size_t& writesAfterFailure)
        : m_file(std::move(file)), m_limit(limit), m_writesAfterFailure(writesAfterFailure) {}
    bool Write(const void* data, size_t size) override {
        if (m_failed) {
            ++m_writesAfterFailure;
            return m_file->Write(data, size);
        }
        if (m_limit && m_written + size > *m_limit) {
            if (*m_limit > m_written) m_file->Write(data, *m_limit - m_written);
            m_failed = true;
            return false;
        }
        m_written += size;
        return m_file->Write(data, size);
    }
    bool FlushToDisk() override { return !m_failed && m_file->FlushToDisk(); }
    void Close() override { m_file->Close(); }

private:
    std::unique_ptr<IFileWriter> m_file;
    std::optional<size_t> m_limit;
    size_t& m_writesAfterFailure;
    size_t m_written = 0;
    bool m_failed = false;
};

}  // namespace testsupport
