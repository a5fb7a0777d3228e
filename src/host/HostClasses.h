#pragma once
// The accounting product's library classes, declared as the system calls them. The product links the
// real libraries; every program built here links the stand-in in hostsim/.
#include <cstddef>
#include <new>

#include "host/HostRecords.h"
#include "platform/Platform.h"

class ClSetMgr;
class ClOptLink;
class ClAccPeriod;

// Set objects, by kind and number (ClDataMgr::GetSetObject, ClSetMgr::GetSetObject).
constexpr int kSetKindData = 5;  // the data files: ClSetData
constexpr int kSetNumberData = 1;
constexpr int kSetKindEra = 13;  // the eras: ClSetGengo
constexpr int kSetNumberEra = 0;

// Folder types of ClFileMgr::GetAppFolderPath.
constexpr int kFolderTypeData = 0;
constexpr int kFolderTypeSettings = 1;

// Buffers the host fills, terminator included.
constexpr std::size_t kUserIdBytes = 65;      // ClSysUser::GetCurUserID
constexpr std::size_t kDataIdTextBytes = 36;  // ClUtyDBHpr::MakeIDStr

// HostLink: the connection to the running product.
class ClAccConnect {
public:
    static ClAccConnect* Inst();

    char m_szAppTitle[64];     // application title shown by the host's messages
    WindowHandle m_hOwnerWnd;  // owner window of the host's messages

    void SetAppType(int appType);
    void SetUseDataType(int dataType);
    HostStatus Initiate();
    HostStatus ExpSysLink();
    // Shows a message; the host replaces "ES_APRPACKAGENAME" by its package name.
    int DispMsg(WindowHandle owner, const char* text, const char* caption, unsigned style);
    HostStatus LogOut();
    void Terminate();
    void Release();

private:
    ClAccConnect();
};

// A set object of the product's data; cast to the kind that was asked for.
class ClSetObject {
public:
    virtual ~ClSetObject();
};

// HostBCore: the logged-in user.
class ClSysUser {
public:
    virtual ~ClSysUser();
    HostStatus GetCurUserID(char* userId /* kUserIdBytes */);
    HostStatus GetSelectedNo(const char* userId, long* setNo, long* dataNo);
};

// HostBCore: the data-file set.
class ClSetData : public ClSetObject {
public:
    HostCursor GetDatCursor();
    HostStatus ReadyDat(HostCursor cursor, int mode);
    HostStatus WalkDat(HostCursor cursor, StDATAINFO* record);
    void ReleaseDatCursor(HostCursor cursor);
    StDATAINFO* GetSelectedInfo();  // the host's own record, read in place
    ClAccPeriod* GetAccPeriod();    // a new object the caller deletes; may be null
};

// HostBCore: the era set, from the set manager.
class ClSetGengo : public ClSetObject {
public:
    HostStatus GetCursor(HostCursor* cursor);
    HostStatus Ready(HostCursor cursor);
    HostStatus Walk(StGENGOINFO* record, HostCursor cursor);
    void ReleaseCursor(HostCursor cursor);
};

// HostBCore: the accounting period of the selected data file.
class ClAccPeriod {
public:
    virtual ~ClAccPeriod();
    HostStatus GetPeriod(std::int32_t* from, std::int32_t* to);
};

// HostBCore: the set manager that rule objects and the era routines work on.
class ClSetMgr {
public:
    virtual ~ClSetMgr();
    ClSetObject* GetSetObject(int kind, int number);
};

// HostCmn: option links attached to rule objects.
class ClOptLink {
public:
    virtual ~ClOptLink();
};

// HostCmn: process-wide data manager.
class ClDataMgr {
public:
    static ClDataMgr* Inst();
    ClSysUser* GetSysUserObject();
    ClSetObject* GetSetObject(int kind, int number);
    ClSetMgr* GetSetMgr();

private:
    ClDataMgr();
};

class ClLinkMgr {
public:
    static ClLinkMgr* Inst();
    ClOptLink* GetOptLink();

private:
    ClLinkMgr();
};

// HostFileMgr: the product's folders.
class ClFileMgr {
public:
    static ClFileMgr* Inst();
    // Folder of the given type (kFolderType...), ending with a separator, possibly empty.
    HostStatus GetAppFolderPath(int type, char* folder, int size);

private:
    ClFileMgr();
};

// HostBCore: database helpers.
class ClUtyDBHpr {
public:
    static ClUtyDBHpr* Inst();
    // Writes the data ID as NUL-terminated text into a buffer of kDataIdTextBytes.
    void MakeIDStr(const char* dataId, char* text);

private:
    ClUtyDBHpr();
};

// HostMsgMgr: the product's error messages.
class ClMsgMgr {
public:
    static ClMsgMgr* Inst();
    // Nonzero, after the host has shown its message, when the status is fatal.
    int CheckFatalErrorWithMsg(HostStatus status, int reserved, int show, WindowHandle owner);
    HostStatus SetLastError(HostStatus status, const char* module, int line);

private:
    ClMsgMgr();
};

// HostBCore: base of the rule objects.
class ClRuleBase {
public:
    virtual ~ClRuleBase();
    virtual void AttachSetMgr(ClSetMgr* setMgr);
    void SetCurDataID(const char* dataId);
    void AttachOptLink(ClOptLink* optLink);

protected:
    ClSetMgr* m_setMgr = nullptr;
    ClOptLink* m_optLink = nullptr;
    char m_dataId[16] = {};  // a copy: the caller's record need not outlive the rule object
};

// HostBCore: the fixed-asset cursor.
class ClRuleGenkashokyaku : public ClRuleBase {
public:
    ClRuleGenkashokyaku();
    ~ClRuleGenkashokyaku() override;
    void AttachSetMgr(ClSetMgr* setMgr) override;

    HostStatus MoveFinish();
    HostStatus MoveReady(StFINDINFO* find, int sortType, int sumType);
    HostStatus GetCount(std::int32_t* count);
    HostStatus Move(std::int32_t index, StKOTEISHISANINFO* asset, StKOTEINENINFO* year, StKOTEITSUKIINFO* month);

    // The host's allocator; null when the object cannot be created.
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* memory) noexcept;

private:
    bool m_cursorOpen = false;
};
