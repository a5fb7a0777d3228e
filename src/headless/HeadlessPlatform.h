#pragma once
#include <cstddef>
#include <functional>

#include "headless/Transcript.h"
#include "platform/PosixPlatform.h"

// The simulated machine of link-headless: files through the installation's drives, windows and
// message boxes as transcript lines answered by the scripted user.
class CHeadlessPlatform : public CPosixPlatform {
public:
    CHeadlessPlatform(const PosixMachine& machine, const std::string& programName, CTranscript& transcript,
                      std::vector<bool> answers);

    std::string ToFullWidth(const std::string& text) override;
    int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                       unsigned style) override;
    void EnableWindow(WindowHandle window, bool enable) override;
    void SetForegroundWindow(WindowHandle window) override;
    void PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

    // Shows the state of a message box's owner (the progress window) before the box itself.
    void SetOwnerDescriber(std::function<std::string(WindowHandle owner)> describer) {
        m_describeOwner = std::move(describer);
    }

private:
    std::function<std::string(WindowHandle)> m_describeOwner;
    CTranscript& m_transcript;
    std::vector<bool> m_answers;
    std::size_t m_nextAnswer = 0;
};
