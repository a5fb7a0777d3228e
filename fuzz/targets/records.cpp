// The record builder on arbitrary host records: every field of every record is terminated within
// its width and holds whole characters only.
#include <cstring>
#include <memory>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "tests/unit/support/FuzzInstallation.h"
#include "aggregation/OutputRecordBuilder.h"
#include "aggregation/AssetSnapshot.h"
#include "host/HostClasses.h"
#include "tests/unit/support/MemoryPlatform.h"

namespace {
// The host's texts are Shift_JIS: a lead byte without its trail byte becomes '?'.
template <size_t N>
void MakeValid(char (&field)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(field[i]))) continue;
        if (i + 1 < N && sjis::IsTrailByte(static_cast<unsigned char>(field[i + 1]))) ++i;
        else field[i] = '?';
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UseFuzzInstallation();
    testsupport::CMemoryPlatform platform;
    // One asset per record's worth of input (a short last one is padded with zeros), at most 4.
    const size_t one = sizeof(StKOTEISHISANINFO) + sizeof(StKOTEINENINFO);
    std::string input = InputText(data, size);
    input.resize((size + one - 1) / one * one, '\0');
    CAssetList assets;
    for (size_t at = 0; at < input.size() && assets.size() < 4; at += one) {
        auto snapshot = std::make_unique<AssetSnapshot>();
        std::memcpy(&snapshot->asset, &input[at], sizeof snapshot->asset);
        std::memcpy(&snapshot->year, &input[at + sizeof snapshot->asset], sizeof snapshot->year);
        MakeValid(snapshot->asset.name);
        MakeValid(snapshot->asset.remarks);
        MakeValid(snapshot->asset.quantity);
        assets.push_back(std::move(snapshot));
    }
    auto* dataFiles = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, kSetNumberData));
    FUZZ_CHECK(dataFiles != nullptr);
    StDATAINFO info = *dataFiles->GetSelectedInfo();
    if (size > 0) info.roundingMode = static_cast<decltype(info.roundingMode)>(data[0] % 4);
    COutputRecordList records;
    FUZZ_CHECK(COutputRecordBuilder().Build(assets, records, info));
    FUZZ_CHECK(records.size() <= assets.size());
    for (const auto& record : records) {
        for (const OutputFieldInfo& field : kOutputFields) {
            const char* text = FieldText(*record, field);
            const size_t length = strnlen(text, field.width);
            FUZZ_CHECK(length < field.width && WholeCharacters(text, length),
                       field.name + (": " + std::string(text, length)));
        }
    }
    FUZZ_CHECK(hostsim::OpenCursorCount() == 0);
    FUZZ_CHECK(hostsim::LivePeriodObjects() == 0);
    return 0;
}
