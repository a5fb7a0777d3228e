#include "hostsim/Installation.h"

#include <cstdio>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <nlohmann/json.hpp>

#include "hostsim/NativeText.h"

namespace hostsim {

namespace {

using Json = nlohmann::json;

// Longest texts the host's records and the Windows paths can hold, in code page 932 bytes.
constexpr size_t kUserIdBytes = 64;
constexpr size_t kDataIdBytes = 35;
constexpr size_t kBusinessNameBytes = sizeof(StDATAINFO::businessName) - 1;
constexpr size_t kEraNameBytes = sizeof(StGENGOINFO::name) - 1;
constexpr size_t kAssetNameBytes = sizeof(StKOTEISHISANINFO::name) - 1;
constexpr size_t kQuantityBytes = sizeof(StKOTEISHISANINFO::quantity) - 1;
constexpr size_t kRemarksBytes = sizeof(StKOTEISHISANINFO::remarks) - 1;
constexpr size_t kPathBytes = 259;
constexpr size_t kPackageNameBytes = 255;

struct Refusal {
    std::string message;
};

std::string Shown(const Json& value) {
    std::string text = value.dump(-1, ' ', true);  // ASCII only: the message is read as either encoding
    if (text.size() > 80) text = text.substr(0, 77) + "...";
    return text;
}

std::string AsciiOnly(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string ascii;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) ascii += c;
        else ascii.append("\\x").append(1, kHex[b >> 4]).append(1, kHex[b & 15]);
    }
    return ascii;
}

[[noreturn]] void Refuse(const std::string& path, const Json& value, const std::string& what) {
    throw Refusal{(path.empty() ? std::string("installation") : AsciiOnly(path)) + ": " + Shown(value) + " " + what};
}

std::string Member(const std::string& path, const std::string& key) { return path.empty() ? key : path + "." + key; }
std::string Item(const std::string& path, size_t index) { return path + "[" + std::to_string(index) + "]"; }

std::int64_t ToInteger(const Json& value, const std::string& path, std::int64_t low, std::int64_t high,
                       const char* notWhat = "is not an integer") {
    if (!value.is_number_integer()) Refuse(path, value, notWhat);
    const bool tooLarge =
        value.is_number_unsigned() &&
        value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::int64_t number = tooLarge ? 0 : value.get<std::int64_t>();
    if (tooLarge || number < low || number > high)
        Refuse(path, value, "is out of range (" + std::to_string(low) + " to " + std::to_string(high) + ")");
    return number;
}

template <typename T>
T ToInt(const Json& value, const std::string& path) {
    return static_cast<T>(ToInteger(value, path, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

HostMoney ToMoney(const Json& value, const std::string& path) {
    constexpr std::int64_t kScale = 10000;
    if (value.is_number_integer()) {
        return ToInteger(value, path, std::numeric_limits<HostMoney>::min() / kScale,
                         std::numeric_limits<HostMoney>::max() / kScale) *
               kScale;
    }
    if (!value.is_string()) Refuse(path, value, "is not a money value");
    const std::string& text = value.get_ref<const std::string&>();
    const bool negative = !text.empty() && text[0] == '-';
    std::string digits;  // every digit, the fraction padded to four places
    size_t i = negative ? 1 : 0;
    size_t integerDigits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++integerDigits) digits += text[i];
    size_t fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++fractionDigits) digits += text[i];
        if (fractionDigits == 0) Refuse(path, value, "is not a money value");
    }
    if (i != text.size() || integerDigits == 0 || fractionDigits > 4) Refuse(path, value, "is not a money value");
    digits.append(4 - fractionDigits, '0');

    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    std::uint64_t magnitude = 0;
    for (const char c : digits) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10) Refuse(path, value, "is out of the money range");
        magnitude = magnitude * 10 + digit;
    }
    if (!negative) return static_cast<HostMoney>(magnitude);
    return magnitude == limit ? std::numeric_limits<HostMoney>::min() : -static_cast<HostMoney>(magnitude);
}

bool HexToBytes(const std::string& hex, std::string& bytes) {
    if (hex.size() % 2 != 0) return false;
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = nibble(hex[i]);
        const int low = nibble(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

std::string ToText(const Json& value, const std::string& path, size_t maxBytes) {
    std::string bytes;
    if (value.is_string()) {
        if (!Utf8ToCp932(value.get_ref<const std::string&>(), bytes))
            Refuse(path, value, "cannot be converted to code page 932");
    } else if (value.is_object() && value.size() == 1 && value.contains("cp932hex")) {
        const Json& hex = value.at("cp932hex");
        if (!hex.is_string() || !HexToBytes(hex.get_ref<const std::string&>(), bytes))
            Refuse(path, value, "is not a text of hex bytes");
    } else {
        Refuse(path, value, "is not a text");
    }
    if (bytes.find('\0') != std::string::npos) Refuse(path, value, "contains a zero byte");
    if (bytes.size() > maxBytes)
        Refuse(path, value, "is longer than " + std::to_string(maxBytes) + " bytes in code page 932");
    return bytes;
}

// The members of one JSON object, read by name; whatever is left unread at the end is refused.
class CFields {
public:
    CFields(const Json& json, std::string path) : m_json(json), m_path(std::move(path)) {
        if (!json.is_object()) Refuse(m_path, json, "is not an object");
    }

    const Json* Find(const char* key) {
        m_known.insert(key);
        const auto it = m_json.find(key);
        return it == m_json.end() ? nullptr : &*it;
    }
    std::string PathOf(const std::string& key) const { return Member(m_path, key); }

    template <typename T>
    void Int(const char* key, T& out) {
        if (const Json* v = Find(key)) out = ToInt<T>(*v, PathOf(key));
    }
    void Date(const char* key, std::int32_t& out) {
        if (const Json* v = Find(key))
            out = static_cast<std::int32_t>(ToInteger(*v, PathOf(key), std::numeric_limits<std::int32_t>::min(),
                                                      std::numeric_limits<std::int32_t>::max(),
                                                      "is not a date (an integer yyyymmdd)"));
    }
    void Status(const char* key, std::optional<HostStatus>& out) {
        if (const Json* v = Find(key)) out = ToInt<HostStatus>(*v, PathOf(key));
    }
    void Money(const char* key, HostMoney& out) {
        if (const Json* v = Find(key)) out = ToMoney(*v, PathOf(key));
    }
    void Text(const char* key, std::string& out, size_t maxBytes) {
        if (const Json* v = Find(key)) out = ToText(*v, PathOf(key), maxBytes);
    }
    // A value that may only be the text "none".
    void None(const char* key, bool& out) {
        if (const Json* v = Find(key)) {
            if (!v->is_string() || v->get_ref<const std::string&>() != "none")
                Refuse(PathOf(key), *v, "is not \"none\"");
            out = true;
        }
    }

    void RefuseUnknown() const {
        for (auto it = m_json.begin(); it != m_json.end(); ++it) {
            if (!it.key().empty() && it.key()[0] == '_') continue;
            if (!m_known.count(it.key())) Refuse(PathOf(it.key()), it.value(), "is not a known field");
        }
    }

private:
    const Json& m_json;
    std::string m_path;
    std::set<std::string> m_known;
};

void RequireList(const Json& value, const std::string& path) {
    if (!value.is_array()) Refuse(path, value, "is not a list");
}

WalkFault ReadWalkFault(const Json& json, const std::string& path) {
    WalkFault fault;
    CFields f(json, path);
    f.Int("after", fault.after);
    f.Int("status", fault.status);
    f.RefuseUnknown();
    if (fault.after < 0) Refuse(f.PathOf("after"), fault.after, "is negative");
    return fault;
}

Faults ReadFaults(const Json& json, const std::string& path) {
    Faults faults;
    CFields f(json, path);
    f.Status("Initiate", faults.initiate);
    f.Status("ExpSysLink", faults.expSysLink);
    f.Status("ReadyDat", faults.readyDat);
    if (const Json* v = f.Find("WalkDat")) faults.walkDat = ReadWalkFault(*v, f.PathOf("WalkDat"));
    if (const Json* v = f.Find("RuleAlloc")) {
        if (!v->is_boolean()) Refuse(f.PathOf("RuleAlloc"), *v, "is not true or false");
        faults.ruleAlloc = v->get<bool>();
    }
    f.Status("MoveReady", faults.moveReady);
    f.Status("GetCount", faults.getCount);
    if (const Json* v = f.Find("Move")) {
        MoveFault move;
        CFields m(*v, f.PathOf("Move"));
        m.Int("index", move.index);
        m.Int("status", move.status);
        m.RefuseUnknown();
        faults.move = move;
    }
    f.Status("EraGetCursor", faults.eraGetCursor);
    f.Status("EraReady", faults.eraReady);
    if (const Json* v = f.Find("EraWalk")) faults.eraWalk = ReadWalkFault(*v, f.PathOf("EraWalk"));
    f.None("GetAccPeriod", faults.noAccPeriod);
    if (const Json* v = f.Find("GetPeriod")) {
        PeriodFault period;
        if (v->is_number_integer()) {
            period.status = ToInt<HostStatus>(*v, f.PathOf("GetPeriod"));
        } else {
            CFields p(*v, f.PathOf("GetPeriod"));
            p.Int("status", period.status);
            for (const char* key : {"from", "to"}) {
                std::int32_t date = 0;
                if (!p.Find(key)) continue;
                p.Date(key, date);
                (key[0] == 'f' ? period.from : period.to) = date;
            }
            p.RefuseUnknown();
        }
        faults.getPeriod = period;
    }
    if (const Json* v = f.Find("fatal")) {
        RequireList(*v, f.PathOf("fatal"));
        for (size_t i = 0; i < v->size(); ++i)
            faults.fatal.push_back(ToInt<HostStatus>((*v)[i], Item(f.PathOf("fatal"), i)));
    }
    f.None("SetObject", faults.noSetObject);
    f.RefuseUnknown();
    return faults;
}

YearFigures ReadYear(const Json& json, const std::string& path) {
    YearFigures year;
    CFields f(json, path);
    f.Money("ordinaryDepreciation", year.ordinaryDepreciation);
    f.Money("additionalDepreciation1", year.additionalDepreciation1);
    f.Money("additionalDepreciation2", year.additionalDepreciation2);
    f.Money("includedInExpenses", year.includedInExpenses);
    f.RefuseUnknown();
    return year;
}

Asset ReadAsset(const Json& json, const std::string& path) {
    Asset a;
    CFields f(json, path);
    f.Int("kind", a.kind);
    f.Text("name", a.name, kAssetNameBytes);
    f.Text("quantity", a.quantity, kQuantityBytes);
    f.Text("remarks", a.remarks, kRemarksBytes);
    f.Int("disposalStatus", a.disposalStatus);
    f.Date("disposalDate", a.disposalDate);
    f.Date("acquisitionDate", a.acquisitionDate);
    f.Money("acquisitionCost", a.acquisitionCost);
    f.Money("costReduction", a.costReduction);
    f.Money("openingBookValue", a.openingBookValue);
    f.Int("method", a.method);
    f.Int("usefulLife", a.usefulLife);
    f.Int("rate", a.rate);
    f.Int("residualIsAmount", a.residualIsAmount);
    f.Money("residualValue", a.residualValue);
    f.Int("businessUseRatio", a.businessUseRatio);
    f.Int("monthsDepreciated", a.monthsDepreciated);
    f.Money("depreciationBase", a.depreciationBase);
    f.Money("yearEndBalance", a.yearEndBalance);
    f.Int("category", a.category);
    f.Int("equalDepreciation", a.equalDepreciation);
    f.Money("revisedAcquisitionCost", a.revisedAcquisitionCost);
    if (const Json* v = f.Find("year")) a.year = ReadYear(*v, f.PathOf("year"));
    f.RefuseUnknown();
    return a;
}

// The assets of the data files, converted while the text is parsed so that the parsed form of a large
// installation never holds all of them at once. The first refusal of a data file's assets is kept and
// raised when ReadDataFile reaches its assets, the point at which reading the parsed form would raise it.
struct ConvertedAssets {
    std::vector<Asset> assets;
    std::optional<std::string> refusal;
};
using ConvertedAssetsOfFiles = std::map<size_t, ConvertedAssets>;

DataFile ReadDataFile(const Json& json, const std::string& path, ConvertedAssets* converted) {
    DataFile d;
    CFields f(json, path);
    f.Text("dataId", d.dataId, kDataIdBytes);
    f.Int("dataNo", d.dataNo);
    f.Text("businessName", d.businessName, kBusinessNameBytes);
    f.Date("periodFrom", d.periodFrom);
    f.Date("periodTo", d.periodTo);
    f.Int("hasManufacturingCost", d.hasManufacturingCost);
    f.Int("dataKind", d.dataKind);
    f.Int("businessKind", d.businessKind);
    f.Int("roundingMode", d.roundingMode);
    if (const Json* v = f.Find("assets")) {
        RequireList(*v, f.PathOf("assets"));
        if (converted) {
            if (converted->refusal) throw Refusal{*converted->refusal};
            d.assets = std::move(converted->assets);
        }
        for (size_t i = 0; i < v->size(); ++i) d.assets.push_back(ReadAsset((*v)[i], Item(f.PathOf("assets"), i)));
    }
    f.RefuseUnknown();
    return d;
}

std::string ReadNativePath(const Json& value, const std::string& path, const std::string& folder) {
    std::string native;
    if (!value.is_string()) Refuse(path, value, "is not a text");
    if (!NativePathFromUtf8(value.get_ref<const std::string&>(), native))
        Refuse(path, value, "cannot be a file name of this machine");
    return NativeResolve(folder, native);
}

DriveKind ToDriveKind(const Json& value, const std::string& path) {
    static const struct {
        const char* name;
        DriveKind kind;
    } kKinds[] = {{"fixed", DriveKind::Fixed},
                  {"removable", DriveKind::Removable},
                  {"remote", DriveKind::Remote},
                  {"cdrom", DriveKind::CdRom},
                  {"ramdisk", DriveKind::RamDisk}};
    if (value.is_string()) {
        for (const auto& k : kKinds)
            if (value.get_ref<const std::string&>() == k.name) return k.kind;
    }
    Refuse(path, value, "is not a drive type (fixed, removable, remote, cdrom, ramdisk)");
}

Machine ReadMachine(const Json& json, const std::string& path, const std::string& folder) {
    Machine m;
    CFields f(json, path);
    if (const Json* drives = f.Find("drives")) {
        const std::string drivesPath = f.PathOf("drives");
        if (!drives->is_object()) Refuse(drivesPath, *drives, "is not an object");
        for (auto it = drives->begin(); it != drives->end(); ++it) {
            const std::string drivePath = Member(drivesPath, it.key());
            const std::string& letter = it.key();
            const bool isLetter = letter.size() == 1 &&
                                  ((letter[0] >= 'A' && letter[0] <= 'Z') || (letter[0] >= 'a' && letter[0] <= 'z'));
            if (!isLetter) Refuse(drivePath, it.value(), "is not under a drive letter");
            const char upper = static_cast<char>(letter[0] & ~0x20);
            if (m.drives.count(upper)) Refuse(drivePath, it.value(), "names a drive twice");
            Drive drive;
            CFields d(it.value(), drivePath);
            if (const Json* type = d.Find("type")) drive.kind = ToDriveKind(*type, d.PathOf("type"));
            drive.root = NativeResolve(folder, "");
            if (const Json* root = d.Find("root")) drive.root = ReadNativePath(*root, d.PathOf("root"), folder);
            d.RefuseUnknown();
            m.drives[upper] = drive;
        }
    }
    f.Text("programFolder", m.programFolder, kPathBytes);
    f.Text("currentFolder", m.currentFolder, kPathBytes);
    f.Text("tempFolder", m.tempFolder, kPathBytes);
    if (const Json* locked = f.Find("lockedFiles")) {
        RequireList(*locked, f.PathOf("lockedFiles"));
        for (size_t i = 0; i < locked->size(); ++i)
            m.lockedFiles.push_back(ToText((*locked)[i], Item(f.PathOf("lockedFiles"), i), kPathBytes));
    }
    f.RefuseUnknown();
    return m;
}

Installation ReadInstallation(const Json& json, const std::string& folder, ConvertedAssetsOfFiles& converted) {
    Installation inst;
    CFields f(json, "");
    f.Text("packageName", inst.packageName, kPackageNameBytes);
    if (const Json* v = f.Find("user")) {
        CFields u(*v, "user");
        u.Text("id", inst.user.id, kUserIdBytes);
        u.Int("setNo", inst.user.setNo);
        u.Int("dataNo", inst.user.dataNo);
        u.RefuseUnknown();
    }
    if (const Json* v = f.Find("appFolders")) {
        if (!v->is_object()) Refuse("appFolders", *v, "is not an object");
        for (auto it = v->begin(); it != v->end(); ++it) {
            const std::string path = Member("appFolders", it.key());
            const std::string& key = it.key();
            const bool decimal =
                !key.empty() && key.size() <= 9 && key.find_first_not_of("0123456789") == std::string::npos;
            if (!decimal) Refuse(path, it.value(), "is not under a folder type number");
            inst.appFolders[std::stoi(key)] = ToText(it.value(), path, kPathBytes);
        }
    }
    if (const Json* v = f.Find("eras")) {
        RequireList(*v, "eras");
        for (size_t i = 0; i < v->size(); ++i) {
            Era era;
            CFields e((*v)[i], Item("eras", i));
            e.Date("start", era.start);
            e.Text("name", era.name, kEraNameBytes);
            e.RefuseUnknown();
            inst.eras.push_back(era);
        }
    }
    if (const Json* v = f.Find("dataFiles")) {
        RequireList(*v, "dataFiles");
        for (size_t i = 0; i < v->size(); ++i) {
            const auto found = converted.find(i);
            inst.dataFiles.push_back(
                ReadDataFile((*v)[i], Item("dataFiles", i), found == converted.end() ? nullptr : &found->second));
        }
    }
    if (const Json* v = f.Find("faults")) inst.faults = ReadFaults(*v, "faults");
    if (const Json* v = f.Find("machine")) inst.machine = ReadMachine(*v, "machine", folder);
    if (const Json* v = f.Find("log")) inst.logPath = ReadNativePath(*v, "log", folder);
    f.RefuseUnknown();
    return inst;
}

// Follows the parser through the text and takes every element of a data file's asset list out of the
// parsed form as soon as it is complete, converted with ReadAsset.
class CAssetCollector {
public:
    explicit CAssetCollector(ConvertedAssetsOfFiles& converted) : m_converted(converted) {}

    bool operator()(int, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::key:
            if (!m_frames.empty()) m_frames.back().key = parsed.get<std::string>();
            return true;
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            m_frames.push_back({event == Json::parse_event_t::array_start, ContainedKey(), 0, {}});
            return true;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end: m_frames.pop_back(); return Completed(parsed);
        case Json::parse_event_t::value: return Completed(parsed);
        }
        return true;
    }

private:
    struct Frame {
        bool isArray;
        std::string nameInParent;  // the key this container is the value of, "" in a list
        size_t elements;           // elements completed so far (lists)
        std::string key;           // the last key read (objects)
    };

    std::string ContainedKey() const {
        return m_frames.empty() || m_frames.back().isArray ? std::string() : m_frames.back().key;
    }

    // Root object > "dataFiles" list > data file object > "assets" list: the top frame holds assets.
    bool InAssetList() const {
        return m_frames.size() == 4 && !m_frames[0].isArray && m_frames[1].isArray &&
               m_frames[1].nameInParent == "dataFiles" && !m_frames[2].isArray && m_frames[3].isArray &&
               m_frames[3].nameInParent == "assets";
    }

    // A value is complete; false takes it out of the parsed form.
    bool Completed(Json& value) {
        if (m_frames.empty() || !m_frames.back().isArray) return true;
        const size_t index = m_frames.back().elements++;
        if (!InAssetList()) return true;
        ConvertedAssets& assets = m_converted[m_frames[1].elements];
        if (assets.refusal) return false;
        try {
            assets.assets.push_back(ReadAsset(value, Item(Item("dataFiles", m_frames[1].elements) + ".assets", index)));
        } catch (const Refusal& refusal) {
            assets.refusal = refusal.message;
        } catch (const Json::exception& e) {
            assets.refusal = AsciiOnly(e.what());  // as ParseInstallation reports it
        }
        return false;
    }

    ConvertedAssetsOfFiles& m_converted;
    std::vector<Frame> m_frames;
};

}  // namespace

bool ParseInstallation(const std::string& jsonText, const std::string& folder, Installation& installation,
                       std::string& error) {
    Json json;
    ConvertedAssetsOfFiles converted;
    try {
        json = Json::parse(jsonText, CAssetCollector(converted));
    } catch (const Json::exception& e) {
        const std::string what = e.what();
        const size_t bracket = what.find("] ");
        error = "invalid JSON: " + AsciiOnly(bracket == std::string::npos ? what : what.substr(bracket + 2));
        return false;
    }
    try {
        installation = ReadInstallation(json, folder, converted);
        return true;
    } catch (const Refusal& refusal) {
        error = refusal.message;
        return false;
    } catch (const Json::exception& e) {
        error = AsciiOnly(e.what());
        return false;
    }
}

bool LoadInstallation(const std::string& path, Installation& installation, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot be read";
        return false;
    }
    std::string text;
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) {
        error = "cannot be read";
        return false;
    }
    return ParseInstallation(text, NativeFolderOf(path), installation, error);
}

}  // namespace hostsim
