// ClRuleBase and ClRuleGenkashokyaku: the fixed-asset cursor over the assets of one data file.
#include <cstring>
#include <new>

#include "hostsim/SimState.h"

using namespace hostsim;
using namespace hostsim::detail;

namespace {
std::string DataIdShown(const char* key) {
    const DataFile* dataFile = DataFileOfKey(key);
    return dataFile ? dataFile->dataId : std::string("(unknown key)");
}

void FillAsset(const Asset& a, StKOTEISHISANINFO& r) {
    std::memset(&r, 0, sizeof r);
    r.kind = a.kind;
    // Byte for byte: the loader made sure every text fits its field.
    std::memcpy(r.name, a.name.data(), a.name.size());
    std::memcpy(r.quantity, a.quantity.data(), a.quantity.size());
    std::memcpy(r.remarks, a.remarks.data(), a.remarks.size());
    r.disposalStatus = a.disposalStatus;
    r.acquisitionDate = a.acquisitionDate;
    r.acquisitionCost = a.acquisitionCost;
    r.costReduction = a.costReduction;
    r.openingBookValue = a.openingBookValue;
    r.method = a.method;
    r.usefulLife = a.usefulLife;
    r.rate = a.rate;
    r.residualIsAmount = a.residualIsAmount;
    r.residualValue = a.residualValue;
    r.businessUseRatio = a.businessUseRatio;
    r.monthsDepreciated = a.monthsDepreciated;
    r.depreciationBase = a.depreciationBase;
    r.yearEndBalance = a.yearEndBalance;
    r.disposalDate = a.disposalDate;
    r.category = a.category;
    r.equalDepreciation = a.equalDepreciation;
    r.revisedAcquisitionCost = a.revisedAcquisitionCost;
}
}  // namespace

ClRuleBase::~ClRuleBase() = default;

void ClRuleBase::AttachSetMgr(ClSetMgr* setMgr) {
    m_setMgr = setMgr;
    Log(std::string("ClRuleBase::AttachSetMgr ") + (setMgr ? "object" : "null"));
}

void ClRuleBase::SetCurDataID(const char* dataId) {
    if (dataId) std::memcpy(m_dataId, dataId, sizeof m_dataId);
    else std::memset(m_dataId, 0, sizeof m_dataId);
    Log("ClRuleBase::SetCurDataID " + DataIdShown(m_dataId));
}

void ClRuleBase::AttachOptLink(ClOptLink* optLink) {
    m_optLink = optLink;
    Log(std::string("ClRuleBase::AttachOptLink ") + (optLink ? "object" : "null"));
}

void* ClRuleGenkashokyaku::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    const Installation* inst = Installed();
    if (inst && inst->faults.ruleAlloc) {
        Log("ClRuleGenkashokyaku::operator new -> null");
        return nullptr;
    }
    return ::operator new(size, std::nothrow);
}

void ClRuleGenkashokyaku::operator delete(void* memory) noexcept { ::operator delete(memory); }

ClRuleGenkashokyaku::ClRuleGenkashokyaku() {
    ++Sim().liveRules;
    Log("ClRuleGenkashokyaku::ClRuleGenkashokyaku");
}

ClRuleGenkashokyaku::~ClRuleGenkashokyaku() {
    // An open cursor stays counted: destroying the object does not release it.
    --Sim().liveRules;
    Log(std::string("ClRuleGenkashokyaku::~ClRuleGenkashokyaku") + (m_cursorOpen ? " (cursor open)" : ""));
}

void ClRuleGenkashokyaku::AttachSetMgr(ClSetMgr* setMgr) {
    m_setMgr = setMgr;
    Log(std::string("ClRuleGenkashokyaku::AttachSetMgr ") + (setMgr ? "object" : "null"));
}

HostStatus ClRuleGenkashokyaku::MoveFinish() {
    if (m_cursorOpen) --Sim().openRuleCursors;
    m_cursorOpen = false;
    Log("ClRuleGenkashokyaku::MoveFinish -> 0");
    return 0;
}

HostStatus ClRuleGenkashokyaku::MoveReady(StFINDINFO* find, int sortType, int sumType) {
    const Installation* inst = Installed();
    HostStatus status = 0;
    if (!inst) status = kUnavailable;
    else if (!m_setMgr || !m_optLink || !DataFileOfKey(m_dataId)) status = kMisuse;
    else status = inst->faults.moveReady.value_or(0);
    if (status == 0 && !m_cursorOpen) {
        m_cursorOpen = true;
        ++Sim().openRuleCursors;
    }
    Log("ClRuleGenkashokyaku::MoveReady find=" + std::string(find ? "given" : "null") + " sort=" + N(sortType) +
        " sum=" + N(sumType) + " -> " + N(status));
    return status;
}

HostStatus ClRuleGenkashokyaku::GetCount(std::int32_t* count) {
    const Installation* inst = Installed();
    const DataFile* dataFile = DataFileOfKey(m_dataId);
    HostStatus status = 0;
    if (!inst) status = kUnavailable;
    else if (!m_cursorOpen || !dataFile || !count) status = kMisuse;
    else status = inst->faults.getCount.value_or(0);
    if (status == 0) *count = static_cast<std::int32_t>(dataFile->assets.size());
    Log("ClRuleGenkashokyaku::GetCount -> " + N(status) + (status == 0 ? " count=" + N(*count) : std::string()));
    return status;
}

HostStatus ClRuleGenkashokyaku::Move(std::int32_t index, StKOTEISHISANINFO* asset, StKOTEINENINFO* year,
                                     StKOTEITSUKIINFO* month) {
    const Installation* inst = Installed();
    const DataFile* dataFile = DataFileOfKey(m_dataId);
    HostStatus status = 0;
    if (!inst) status = kUnavailable;
    else if (!m_cursorOpen || !dataFile || !asset || !year || !month) status = kMisuse;
    else if (inst->faults.move && inst->faults.move->index == index) status = inst->faults.move->status;
    else if (index < 0 || static_cast<size_t>(index) >= dataFile->assets.size()) status = kHostNoData;
    if (status == 0) {
        const Asset& a = dataFile->assets[static_cast<size_t>(index)];
        FillAsset(a, *asset);
        year->ordinaryDepreciation = a.year.ordinaryDepreciation;
        year->additionalDepreciation1 = a.year.additionalDepreciation1;
        year->additionalDepreciation2 = a.year.additionalDepreciation2;
        year->includedInExpenses = a.year.includedInExpenses;
        std::memset(month, 0, sizeof *month);
    }
    Log("ClRuleGenkashokyaku::Move index=" + N(index) + " -> " + N(status));
    return status;
}
