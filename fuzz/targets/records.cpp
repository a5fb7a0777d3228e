// The record builder on arbitrary host records: every field of every record is terminated within
// its width and holds whole characters only.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "tests/unit/support/FuzzInstallation.h"
#include "aggregation/AssetExtractor.h"
#include "aggregation/AssetSnapshot.h"
#include "host/HostClasses.h"
#include "hostsim/HostSim.h"
#include "platform/ShiftJis.h"
#include "tests/unit/support/MemoryPlatform.h"

namespace {
const char kInstallation[] = u8R"({ "user": { "id": "U01", "setNo": 1, "dataNo": 3 },
  "eras": [ { "start": 18680125, "name": "明治" }, { "start": 19120730, "name": "大正" },
            { "start": 19261225, "name": "昭和" }, { "start": 19890108, "name": "平成" },
            { "start": 20190501, "name": "令和" } ],
  "dataFiles": [ { "dataId": "D-3", "dataNo": 3, "businessName": "三", "periodFrom": 20240101,
                   "periodTo": 20241231, "businessKind": 6, "roundingMode": 2 } ] })";

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
    UseInstallationOnce(kInstallation);
    testsupport::CMemoryPlatform platform;
    const size_t one = sizeof(StKOTEISHISANINFO) + sizeof(StKOTEINENINFO);
    CAssetList assets;
    // One asset per record's worth of input (a short last one is padded with zeros), at most 4.
    for (size_t at = 0; at < size && assets.size() < 4; at += one) {
        std::string chunk(reinterpret_cast<const char*>(data) + at, std::min(one, size - at));
        chunk.resize(one, '\0');
        auto snapshot = std::make_unique<CAssetSnapshot>();
        std::memcpy(&snapshot->asset, chunk.data(), sizeof snapshot->asset);
        std::memcpy(&snapshot->year, chunk.data() + sizeof snapshot->asset, sizeof snapshot->year);
        // The host's texts are Shift_JIS: a lead byte without its trail byte becomes '?'.
        MakeValid(snapshot->asset.name);
        MakeValid(snapshot->asset.remarks);
        MakeValid(snapshot->asset.quantity);
        assets.push_back(std::move(snapshot));
    }
    auto* dataFiles = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1));
    FUZZ_CHECK(dataFiles != nullptr);
    StDATAINFO info = *dataFiles->GetSelectedInfo();
    if (size > 0) info.roundingMode = static_cast<decltype(info.roundingMode)>(data[0] % 4);
    COutputRecordList records;
    CAssetExtractor extractor;
    FUZZ_CHECK(extractor.BuildOutputRecords(assets, records, info) == 1);
    FUZZ_CHECK(records.size() <= assets.size());
    for (const auto& record : records) {
        for (const COutputFieldInfo& field : kOutputFields) {
            const char* text = FieldText(*record, field);
            const void* end = std::memchr(text, '\0', field.width);
            FUZZ_CHECK(end != nullptr);
            if (!WholeCharacters(text, static_cast<size_t>(static_cast<const char*>(end) - text)))
                std::fprintf(stderr, "field %s: %s\n", field.name, text);
            FUZZ_CHECK(WholeCharacters(text, static_cast<size_t>(static_cast<const char*>(end) - text)));
        }
    }
    FUZZ_CHECK(hostsim::OpenCursorCount() == 0);
    FUZZ_CHECK(hostsim::LivePeriodObjects() == 0);
    return 0;
}
