#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/ProgressPresenter.h"

namespace {

// Records every operation as one short line, in order.
class CRecordingView : public IProgressView {
public:
    explicit CRecordingView(std::vector<std::string>& ops) : m_ops(ops) {}
    bool Create() override { return Log("create"), true; }
    void SetParent(WindowHandle parent) override { Log("parent " + std::to_string(parent)); }
    void Show() override { Log("show"); }
    void End() override { Log("end"); }
    WindowHandle Handle() const override { return 77; }
    void SetCaption(const std::string& caption) override { Log("caption " + caption); }
    void SetMainRange(int lower, int upper) override { Log("main range " + Pair(lower, upper)); }
    void SetMainStep(int step) override { Log("main step " + std::to_string(step)); }
    void SetMainPosition(int position) override { Log("main " + std::to_string(position)); }
    void SetActivityRange(int lower, int upper) override { Log("act range " + Pair(lower, upper)); }
    void SetActivityStep(int step) override { Log("act step " + std::to_string(step)); }
    void SetActivityPosition(int position) override { Log("act pos " + std::to_string(position)); }
    void StepActivity() override { Log("act step-it"); }
    void Raise() override { Log("raise"); }
    void Repaint() override { Log("repaint"); }

private:
    static std::string Pair(int a, int b) { return std::to_string(a) + ".." + std::to_string(b); }
    void Log(const std::string& op) { m_ops.push_back(op); }
    std::vector<std::string>& m_ops;
};

struct Recorder {
    std::vector<std::string> ops;
    CProgressPresenter dialog{std::make_unique<CRecordingView>(ops)};
};

const std::vector<std::string> kPulse = {"act range 0..5", "act step 1",  "act pos 0",   "raise",
                                         "repaint",        "act step-it", "act step-it", "act step-it",
                                         "act step-it",    "act step-it", "act step-it"};

std::vector<std::string> Unit(int position, const char* caption) {
    std::vector<std::string> ops;
    if (caption) ops.push_back(std::string("caption ") + caption);
    ops.push_back("main " + std::to_string(position));
    ops.insert(ops.end(), kPulse.begin(), kPulse.end());
    ops.push_back("repaint");
    return ops;
}

// Initialised, one pulse, then units 9 to 11, each in its order; only the tens change the caption.
TEST(ProgressPresenter, InitialisePulseAndUnits) {
    Recorder r;
    r.dialog.Initialise();
    r.dialog.Pulse();
    r.dialog.AdvanceBand(9, 11);
    std::vector<std::string> expected = {"main range 0..1000", "main step 1", "main 0"};
    expected.insert(expected.end(), kPulse.begin(), kPulse.end());
    for (const auto& unit : {Unit(9, nullptr), Unit(10, "集計中 1％"), Unit(11, nullptr)})
        expected.insert(expected.end(), unit.begin(), unit.end());
    EXPECT_EQ(r.ops, expected);
}

}  // namespace
