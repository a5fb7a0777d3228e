#include "headless/HeadlessPlatform.h"

#include <utility>

#include "platform/FullWidth.h"

CHeadlessPlatform::CHeadlessPlatform(const PosixMachine& machine, const std::string& programName,
                                     CTranscript& transcript, std::vector<bool> answers)
    : CPosixPlatform(machine, programName), m_transcript(transcript), m_answers(std::move(answers)) {}

std::string CHeadlessPlatform::ToFullWidth(const std::string& text) { return MapToFullWidth(text); }

int CHeadlessPlatform::ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                                      unsigned style) {
    if (m_describeOwner) {
        const std::string state = m_describeOwner(owner);
        if (!state.empty()) m_transcript.Line(state);
    }
    if ((style & 0x0Fu) == kMbYesNo) {
        // A question with no scripted answer left is declined, so every run ends.
        const bool yes = m_nextAnswer < m_answers.size() && m_answers[m_nextAnswer];
        if (m_nextAnswer < m_answers.size()) ++m_nextAnswer;
        m_transcript.Question(caption, text, yes);
        return yes ? kIdYes : kIdNo;
    }
    m_transcript.Message(style, caption, text);
    return kIdOk;
}

void CHeadlessPlatform::EnableWindow(WindowHandle, bool) {}

void CHeadlessPlatform::SetForegroundWindow(WindowHandle) {}

void CHeadlessPlatform::PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                                     std::intptr_t lparam) {
    m_transcript.Posted(window, message, wparam, lparam);
}
