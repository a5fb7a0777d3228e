// Writing the report of 100,000 records, against two reference points measured in the same run: the
// same bytes written with one buffered fwrite (the limit for any writer), and the same document
// written with libxml2's xmlTextWriter (what one would pick instead of our line writer).
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <libxml/xmlwriter.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchData.h"
#include "aggregation/AssetExtractor.h"
#include "aggregation/OutputRecordBuilder.h"
#include "editions/Edition.h"
#include "report/ReportWriter.h"

namespace {

constexpr int kReportAssets = 100000;

struct ReportInput {
    StDATAINFO data{};
    COutputRecordList records;
    std::string bytes;  // the report as our writer writes it
};

std::string ReadFile(const std::string& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[1 << 16];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

ReportInput& Input() {
    static ReportInput* input = [] {
        auto* made = new ReportInput;
        made->data = bench::StartSession(kReportAssets);
        CAssetList assets;
        CAssetExtractor extractor;
        if (!extractor.Extract(assets, made->data, AllCategories) ||
            !COutputRecordBuilder().Build(assets, made->records, made->data)) {
            std::fprintf(stderr, "link-bench: the records of the report could not be built\n");
            std::exit(2);
        }
        bench::CCountingProgress progress;
        CReportWriter writer(progress, made->records, kEditionBeta);
        if (!writer.WriteReport(bench::kReportWindowsPath, 5, made->data)) {
            std::fprintf(stderr, "link-bench: the report could not be written\n");
            std::exit(2);
        }
        made->bytes = ReadFile(bench::ReportNativePath(kReportAssets));
        return made;
    }();
    return *input;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Input().bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(Input().bytes.size());
}

void BM_ReportWriter(benchmark::State& state) {
    ReportInput& input = Input();
    for (auto _ : state) {
        bench::CCountingProgress progress;
        CReportWriter writer(progress, input.records, kEditionBeta);
        if (!writer.WriteReport(bench::kReportWindowsPath, 5, input.data)) state.SkipWithError("write failed");
        benchmark::DoNotOptimize(progress.pulses);
    }
    SetBytes(state);
    state.counters["same_bytes"] = ReadFile(bench::ReportNativePath(kReportAssets)) == input.bytes ? 1 : 0;
}
BENCHMARK(BM_ReportWriter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReportSingleFwrite(benchmark::State& state) {
    const ReportInput& input = Input();
    const std::string path = bench::ReportNativePath(kReportAssets);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(input.bytes.data(), 1, input.bytes.size(), file) != input.bytes.size())
            state.SkipWithError("fwrite failed");
        if (file) std::fclose(file);
    }
    SetBytes(state);
    state.counters["same_bytes"] = ReadFile(path) == input.bytes ? 1 : 0;
}
BENCHMARK(BM_ReportSingleFwrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The records' texts in UTF-8, the form libxml2 takes; converted before the clock runs.
std::vector<std::vector<std::string>> Utf8Records() {
    iconv_t convert = iconv_open("UTF-8", "CP932");
    auto toUtf8 = [convert](const std::string& text) {
        std::string out(text.size() * 3 + 1, '\0');
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char* o = out.data();
        std::size_t outLeft = out.size();
        iconv(convert, &in, &inLeft, &o, &outLeft);
        out.resize(out.size() - outLeft);
        return out;
    };
    std::vector<std::vector<std::string>> texts;
    for (const auto& record : Input().records) {
        std::vector<std::string> fields;
        for (const OutputFieldInfo& field : kOutputFields) fields.push_back(toUtf8(FieldText(*record, field)));
        texts.push_back(std::move(fields));
    }
    texts.push_back({toUtf8(kEditionBeta.defaultProductName)});
    iconv_close(convert);
    return texts;
}

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

bool Line(xmlTextWriterPtr w, int depth) {
    static const char* const kIndent[] = {"\r\n", "\r\n\t", "\r\n\t\t", "\r\n\t\t\t"};
    return xmlTextWriterWriteRaw(w, X(kIndent[depth])) >= 0;
}

bool Element(xmlTextWriterPtr w, int depth, const char* name, const std::string& text) {
    return Line(w, depth) && xmlTextWriterStartElement(w, X(name)) >= 0 &&
           (text.empty() || xmlTextWriterWriteString(w, X(text.c_str())) >= 0) && xmlTextWriterFullEndElement(w) >= 0;
}

// The same document through xmlTextWriter: it escapes the texts and encodes UTF-8 as code page 932;
// indentation and CR LF are written raw because its own indentation writes LF.
bool WriteWithLibxml(const std::string& path, const std::vector<std::vector<std::string>>& texts,
                     const std::string& fullWidthName, const std::string& programName) {
    // The declaration is written raw: xmlTextWriterStartDocument ends it with LF, not CR LF.
    xmlOutputBufferPtr out = xmlOutputBufferCreateFilename(path.c_str(), xmlFindCharEncodingHandler("CP932"), 0);
    if (!out) return false;
    xmlTextWriterPtr w = xmlNewTextWriter(out);
    if (!w) return false;
    bool ok = xmlTextWriterWriteRaw(w, X("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n")) >= 0 &&
              xmlTextWriterStartElement(w, X("REPORT")) >= 0 && Line(w, 1) &&
              xmlTextWriterStartElement(w, X("SYSTEM")) >= 0 && Element(w, 2, "GYOUMUPREFIX", "QF14") &&
              Element(w, 2, "VERSION", "1") && Element(w, 2, "FUNCTIONID", "5") &&
              Element(w, 2, "CONNECTEDPROGRAMVER", LINK_PROGRAM_VERSION) && Element(w, 2, "PROGRAMNAME", programName) &&
              Element(w, 2, "PROGRAMVER", "22.02.0X") && Line(w, 1) && xmlTextWriterEndElement(w) >= 0 && Line(w, 1) &&
              xmlTextWriterStartElement(w, X("BASIC")) >= 0 && Element(w, 2, "KOMONSAKINAME", fullWidthName) &&
              Element(w, 2, "JIGYOUNENDOFROM", "20240101") && Element(w, 2, "JIGYOUNENDOTO", "20241231") &&
              Element(w, 2, "HASUU_SYOUKYAKU", "3") && Element(w, 2, "HASUU_ZANZON", "1") && Line(w, 1) &&
              xmlTextWriterEndElement(w) >= 0 && Line(w, 1) && xmlTextWriterStartElement(w, X("DATA")) >= 0;
    // The last entry of `texts` is the product name.
    for (std::size_t n = 0; ok && n + 1 < texts.size(); ++n) {
        char count[24];
        std::snprintf(count, sizeof count, "%zu", n + 1);
        ok = Line(w, 2) && xmlTextWriterStartElement(w, X("SISAN")) >= 0 &&
             xmlTextWriterWriteAttribute(w, X("Count"), X(count)) >= 0;
        for (std::size_t f = 0; ok && f < kOutputFieldCount; ++f)
            ok = Element(w, 3, kOutputFields[f].name, texts[n][f]);
        ok = ok && Line(w, 2) && xmlTextWriterFullEndElement(w) >= 0;
    }
    ok = ok && Line(w, 1) && xmlTextWriterFullEndElement(w) >= 0 && Line(w, 0) && xmlTextWriterFullEndElement(w) >= 0 &&
         xmlTextWriterWriteRaw(w, X("\r\n")) >= 0 && xmlTextWriterFlush(w) >= 0;
    xmlFreeTextWriter(w);
    return ok;
}

void BM_ReportXmlTextWriter(benchmark::State& state) {
    const std::vector<std::vector<std::string>> texts = Utf8Records();
    // The business name as our report writes it (full width), in UTF-8.
    const std::string ours = Input().bytes;
    const std::string nameOpen = "<KOMONSAKINAME>";
    const std::size_t from = ours.find(nameOpen) + nameOpen.size();
    const std::string nameCp932 = ours.substr(from, ours.find("</KOMONSAKINAME>") - from);
    iconv_t convert = iconv_open("UTF-8", "CP932");
    std::string name(nameCp932.size() * 3, '\0');
    char* in = const_cast<char*>(nameCp932.data());
    std::size_t inLeft = nameCp932.size();
    char* out = name.data();
    std::size_t outLeft = name.size();
    iconv(convert, &in, &inLeft, &out, &outLeft);
    name.resize(name.size() - outLeft);
    iconv_close(convert);

    const std::string path = bench::ReportNativePath(kReportAssets) + ".libxml2";
    for (auto _ : state) {
        if (!WriteWithLibxml(path, texts, name, texts.back()[0])) state.SkipWithError("xmlTextWriter failed");
    }
    SetBytes(state);
    const std::string written = ReadFile(path);
    state.counters["same_bytes"] = written == Input().bytes ? 1 : 0;
    state.counters["its_bytes"] = static_cast<double>(written.size());
    std::remove(path.c_str());
}
BENCHMARK(BM_ReportXmlTextWriter)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
