#include "headless/HeadlessProgressView.h"

#include "headless/Transcript.h"

CHeadlessProgressView::CHeadlessProgressView(const CHeadlessProgressView** registry) : m_registry(registry) {
    *m_registry = this;
}

CHeadlessProgressView::~CHeadlessProgressView() {
    if (*m_registry == this) *m_registry = nullptr;
}

bool CHeadlessProgressView::Create() {
    m_caption = "集計中";
    return true;
}
void CHeadlessProgressView::SetParent(WindowHandle parent) { m_parent = parent; }
void CHeadlessProgressView::Show() {}
void CHeadlessProgressView::End() {}
WindowHandle CHeadlessProgressView::Handle() const { return kHandle; }
void CHeadlessProgressView::SetCaption(const std::string& caption) { m_caption = caption; }
void CHeadlessProgressView::SetMainRange(int, int upper) { m_mainUpper = upper; }
void CHeadlessProgressView::SetMainStep(int) {}
void CHeadlessProgressView::SetMainPosition(int position) { m_mainPosition = position; }
void CHeadlessProgressView::SetActivityRange(int, int) {}
void CHeadlessProgressView::SetActivityStep(int) {}
void CHeadlessProgressView::SetActivityPosition(int) {}
void CHeadlessProgressView::StepActivity() {}
void CHeadlessProgressView::Raise() {}
void CHeadlessProgressView::Repaint() {}

std::string CHeadlessProgressView::Describe() const {
    return "PROGRESS " + Cp932ToUtf8(m_caption) + " main=" + std::to_string(m_mainPosition) + "/" +
           std::to_string(m_mainUpper);
}
