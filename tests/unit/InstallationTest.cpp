#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "hostsim/Installation.h"

// JSON texts are written as u8 literals: the plain literals of this file are code page 932 bytes.
using hostsim::Installation;

namespace {

bool Parse(const std::string& json, Installation& installation, std::string& error) {
    return hostsim::ParseInstallation(json, "/inst/", installation, error);
}

std::string AssetWith(const std::string& member) {
    return u8R"({"dataFiles": [{"assets": [{)" + member + "}]}]}";
}

TEST(InstallationTest, DocumentedExampleLoadsWithCodePage932Texts) {
    Installation inst;
    std::string error;
    ASSERT_TRUE(hostsim::LoadInstallation(LINK_SOURCE_DIR "/tests/unit/fixtures/hostsim-installation.json", inst, error))
        << error;
    EXPECT_EQ(inst.packageName, "Ledgora２２");
    EXPECT_EQ(inst.appFolders.at(1), "C:\\Ledgora\\Env\\");
    ASSERT_EQ(inst.eras.size(), 5u);
    EXPECT_EQ(inst.eras[4].name, "令和");
    ASSERT_EQ(inst.dataFiles.size(), 1u);
    EXPECT_EQ(inst.dataFiles[0].businessName, "山田商店");
    ASSERT_EQ(inst.dataFiles[0].assets.size(), 1u);
    const hostsim::Asset& car = inst.dataFiles[0].assets[0];
    EXPECT_EQ(car.quantity, "1台");
    EXPECT_EQ(car.acquisitionCost, 24000000000);
    EXPECT_EQ(car.year.includedInExpenses, 3996000000);
    // Native paths resolve against the file's folder; drive letters are kept in upper case.
    const std::string folder = LINK_SOURCE_DIR "/tests/unit/fixtures/";
    EXPECT_EQ(inst.machine.drives.at('C').root, folder + "c-drive");
    EXPECT_EQ(inst.machine.drives.at('C').kind, DriveKind::Fixed);
    EXPECT_EQ(inst.machine.drives.at('Q').root, "/srv/q-drive");
    EXPECT_EQ(inst.machine.drives.at('Q').kind, DriveKind::CdRom);
    EXPECT_EQ(inst.machine.programFolder, "C:\\Program Files\\Ledgora\\Link\\");
    ASSERT_EQ(inst.machine.lockedFiles.size(), 1u);
    EXPECT_EQ(inst.logPath, folder + "host-calls.log");
}

TEST(InstallationTest, RefusalsNameThePathAndTheValue) {
    const std::string threeAssets =
        u8R"({"dataFiles": [{"assets": [{}, {}, {"acquisitionCost": "12.34567"}]}]})";
    const struct {
        std::string json;
        std::string message;
    } rows[] = {
        {threeAssets, R"(dataFiles[0].assets[2].acquisitionCost: "12.34567" is not a money value)"},
        {AssetWith(R"("costReduction": "1.")"), R"(dataFiles[0].assets[0].costReduction: "1." is not a money value)"},
        {AssetWith(R"("costReduction": "1e3")"), R"(dataFiles[0].assets[0].costReduction: "1e3" is not a money value)"},
        {AssetWith(R"("costReduction": 1.5)"), R"(dataFiles[0].assets[0].costReduction: 1.5 is not a money value)"},
        {AssetWith(R"("costReduction": "922337203685477.5808")"),
         R"(dataFiles[0].assets[0].costReduction: "922337203685477.5808" is out of the money range)"},
        {AssetWith(R"("costReduction": 922337203685478)"),
         "dataFiles[0].assets[0].costReduction: 922337203685478 is out of range (-922337203685477 to 922337203685477)"},
        {AssetWith(R"("year": {"includedInExpenses": "0.00001"})"),
         R"(dataFiles[0].assets[0].year.includedInExpenses: "0.00001" is not a money value)"},
        {AssetWith(R"("acquisitionDate": "20220415")"),
         R"(dataFiles[0].assets[0].acquisitionDate: "20220415" is not a date (an integer yyyymmdd))"},
        {R"({"dataFiles": [{"periodFrom": 20240101.5}]})",
         "dataFiles[0].periodFrom: 20240101.5 is not a date (an integer yyyymmdd)"},
        {R"({"user": {"setNo": "1"}})", R"(user.setNo: "1" is not an integer)"},
        {R"({"dataFiles": [{"dataKind": 32768}]})", "dataFiles[0].dataKind: 32768 is out of range (-32768 to 32767)"},
        {R"({"dataFiles": [{"businessKind": 256}]})", "dataFiles[0].businessKind: 256 is out of range (0 to 255)"},
        {R"({"dataFiles": [{"dataNo": 4294967296}]})",
         "dataFiles[0].dataNo: 4294967296 is out of range (-2147483648 to 2147483647)"},
        {R"({"packageName": 5})", "packageName: 5 is not a text"},
        {u8R"({"packageName": "波〜"})", R"(packageName: "\u6ce2\u301c" cannot be converted to code page 932)"},
        {u8R"({"eras": [{"name": "明治明治明治明治"}]})",
         R"(eras[0].name: "\u660e\u6cbb\u660e\u6cbb\u660e\u6cbb\u660e\u6cbb" is longer than 15 bytes in code page 932)"},
        {AssetWith(u8R"("quantity": "1234567台")"),
         R"(dataFiles[0].assets[0].quantity: "1234567\u53f0" is longer than 8 bytes in code page 932)"},
        {R"({"packageName": {"cp932hex": "834"}})", R"(packageName: {"cp932hex":"834"} is not a text of hex bytes)"},
        {R"({"packageName": {"cp932hex": "4100"}})", R"(packageName: {"cp932hex":"4100"} contains a zero byte)"},
        {R"({"dataFiles": [{"dataNO": 3}]})", "dataFiles[0].dataNO: 3 is not a known field"},
        {R"({"faults": {"Walkdat": 1}})", "faults.Walkdat: 1 is not a known field"},
        {R"({"faults": {"WalkDat": {"after": -1, "status": 5}}})", "faults.WalkDat.after: -1 is negative"},
        {R"({"faults": {"GetAccPeriod": "null"}})", R"(faults.GetAccPeriod: "null" is not "none")"},
        {R"({"faults": {"RuleAlloc": 1}})", "faults.RuleAlloc: 1 is not true or false"},
        {R"({"faults": {"GetPeriod": {"from": "x"}}})",
         R"(faults.GetPeriod.from: "x" is not a date (an integer yyyymmdd))"},
        {R"({"appFolders": {"settings": "C:\\"}})", R"(appFolders.settings: "C:\\" is not under a folder type number)"},
        {R"({"machine": {"drives": {"CD": {}}}})", "machine.drives.CD: {} is not under a drive letter"},
        {R"({"machine": {"drives": {"c": {}, "C": {}}}})", "machine.drives.c: {} names a drive twice"},
        {R"({"machine": {"drives": {"A": {"type": "floppy"}}}})",
         R"(machine.drives.A.type: "floppy" is not a drive type (fixed, removable, remote, cdrom, ramdisk))"},
        {"[1, 2]", "installation: [1,2] is not an object"},
    };
    for (const auto& row : rows) {
        Installation inst;
        std::string error;
        EXPECT_FALSE(Parse(row.json, inst, error)) << row.json;
        EXPECT_EQ(error, row.message) << row.json;
    }
}

TEST(InstallationTest, InvalidJsonIsRefusedWithItsPosition) {
    const char* rows[] = {u8R"({"packageName": })", "{\"packageName\": \"\xff\"}", ""};
    for (const char* json : rows) {
        Installation inst;
        std::string error;
        EXPECT_FALSE(Parse(json, inst, error)) << json;
        EXPECT_EQ(error.rfind("invalid JSON: parse error at line 1", 0), 0u) << error;
        for (const char c : error) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << error;
    }
}

TEST(InstallationTest, HexTextsAreTakenByteForByte) {
    Installation inst;
    std::string error;
    // A lone lead byte at the end and a 0x5C trail byte: no UTF-8 text gives these bytes.
    ASSERT_TRUE(Parse(R"({"dataFiles": [{"businessName": {"cp932hex": "8341836a82"},
                                         "assets": [{"name": {"cp932hex": "955C8E8C"}}]}],
                        "_comment": "ignored"})",
                      inst, error))
        << error;
    EXPECT_EQ(inst.dataFiles[0].businessName, "\x83\x41\x83\x6a\x82");
    EXPECT_EQ(inst.dataFiles[0].assets[0].name, "\x95\x5c\x8e\x8c");
}

}  // namespace
