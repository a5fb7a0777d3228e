#include "report/SupportInfo.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "editions/Edition.h"
#include "platform/Platform.h"

namespace {

constexpr char kProductNameLabel[] = "[=製品名=]";
constexpr char kProductVersionLabel[] = "[=製品ﾊﾞｰｼﾞｮﾝ=]";
constexpr char kMemoryMessage[] = "ﾒﾓﾘが不足しています。";
constexpr char kFileName[] = "SUPPORT.INF";

}  // namespace

CSupportInfo::~CSupportInfo() { delete[] m_buffer; }

bool CSupportInfo::Load() {
    if (m_buffer) return true;
    m_buffer = new (std::nothrow) char[kBufferSize];
    if (!m_buffer) {
        Platform().ShowMessageBox(0, kMemoryMessage, kAppTitle, kMbOk);
        return false;
    }
    std::memset(m_buffer, 0xFF, kBufferSize);  // marks bytes that hold no file content
    m_contentLength = 0;

    std::vector<char> content;
    if (!Platform().ReadFileBytes(Platform().CurrentFolder() + kFileName, kBufferSize, content)) return false;
    m_contentLength = std::min(content.size(), kBufferSize);
    if (m_contentLength > 0) std::memcpy(m_buffer, content.data(), m_contentLength);  // an empty file has no data()

    // Line ends and the end-of-file mark become zero bytes, which end a value.
    for (size_t i = 0; i < m_contentLength; ++i) {
        if (m_buffer[i] == '\r' && i + 1 < m_contentLength && m_buffer[i + 1] == '\n') {
            m_buffer[i] = m_buffer[i + 1] = '\0';
            ++i;
        } else if (m_buffer[i] == '\x1A') {
            m_buffer[i] = '\0';
        }
    }
    return true;
}

std::string_view CSupportInfo::Lookup(std::string_view label) {
    if (!Load()) return {};
    // Only the content is searched: the 0xFF fill behind it cannot be part of a label.
    const std::string_view content(m_buffer, m_contentLength);
    const size_t at = content.find(label);
    if (at == std::string_view::npos) return {};
    const std::string_view rest = content.substr(at + label.size());
    return rest.substr(0, rest.find('\0'));
}

std::string_view CSupportInfo::GetProductName() { return Lookup(kProductNameLabel); }

std::string_view CSupportInfo::GetProductVersion() { return Lookup(kProductVersionLabel); }
