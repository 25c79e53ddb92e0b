#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "FakeMachineProbe.h"
#include "foundation/Md5Digest.h"
#include "machinecode/MachineCode.h"
#include "machinecode/MachineCodeHash.h"

namespace {

void expectMachineCodeShape(const std::string& code) {
    ASSERT_EQ(code.size(), 35u) << code;
    for (size_t i = 0; i < code.size(); ++i) {
        if (i == 8 || i == 17 || i == 26) {
            EXPECT_EQ(code[i], '-') << code;
        } else {
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(code[i])) || (code[i] >= 'a' && code[i] <= 'f'))
                << code;
        }
    }
}

FakeMachineProbe probeWithCpu() {
    FakeMachineProbe probe;
    probe.leaves[1] = {0x00A20F12, 0x11111111, 0x22222222, 0x178BFBFF};
    probe.leaves[3] = {0x33333333, 0x44444444, 0x00000000, 0x00000000};
    return probe;
}

TEST(MachineCode, ProcessorTextIsLeafOneEdxEaxThenLeafThreeEdxEcx) {
    FakeMachineProbe probe;
    probe.leaves[1] = {0xAAAAAAA1, 0xBBBBBBB1, 0xCCCCCCC1, 0xDDDDDDD1};
    probe.leaves[3] = {0xAAAAAAA3, 0xBBBBBBB3, 0x0000C0C3, 0xDDDDDDD3};
    EXPECT_EQ(getCpuIdText(probe), "DDDDDDD1AAAAAAA1DDDDDDD30000C0C3");
    EXPECT_EQ(cpuIdTextFrom(0, 0x1A, 0, 0xFFFFFFFF), "000000000000001A00000000FFFFFFFF");
}

// Known answers: the account service keeps this identity, so the bytes must never drift.
TEST(MachineCode, KnownAnswers) {
    const std::string cpu = "178BFBFF00A20F120000000000000000";
    EXPECT_EQ(machineCodeFrom(cpu, ""), "dabdcf1e-7d543997-e7844153-c91f0494");
    EXPECT_EQ(machineCodeFrom(cpu, "PQ1R3254"), "22462249-c4bfe40b-60d34386-88badff3");

    FakeMachineProbe probe = probeWithCpu();
    EXPECT_EQ(makeMachineCode(probe), "dabdcf1e-7d543997-e7844153-c91f0494") << "no drive";
    probe.drives[0] = descriptorWithSerial("5150523132333435");
    EXPECT_EQ(getDiskSerialText(probe), "PQ1R3254");
    EXPECT_EQ(makeMachineCode(probe), "22462249-c4bfe40b-60d34386-88badff3");
}

TEST(MachineCode, WithoutASerialItIsTheGroupedDigestOfTheSaltedProcessorText) {
    FakeMachineProbe probe = probeWithCpu();
    probe.drives[0] = descriptorWithSerial("x-rejected");  // "-x..." after the pair exchange
    ASSERT_EQ(getDiskSerialText(probe), "");
    const std::string salted = "Mirv" + getCpuIdText(probe).str() + "7orb";
    CMd5Digest digest{};
    digest.compute(salted.data(), static_cast<uint32_t>(salted.size()));
    const std::string hex = digest.toHexString();
    EXPECT_EQ(makeMachineCode(probe).str(),
              hex.substr(0, 8) + "-" + hex.substr(8, 8) + "-" + hex.substr(16, 8) + "-" + hex.substr(24, 8));
}

TEST(MachineCode, RealProbeGivesTheShape) {
    expectMachineCodeShape(makeMachineCode().str());
    const std::string cpu = getCpuIdText().str();
    EXPECT_TRUE(std::regex_match(cpu, std::regex("[0-9A-F]{32}"))) << cpu;
    EXPECT_EQ(makeMachineCode(), makeMachineCode()) << "stable within a run";
}

TEST(ReadDiskSerial, OffsetIsCheckedAgainstTheReturnedBytes) {
    FakeMachineProbe probe;
    probe.drives[0] = descriptorWithSerial("5150523132333435", 200);
    probe.returnedOverride = 150;  // the reply ends before the serial
    char out[256] = "untouched";
    EXPECT_EQ(readDiskSerial(out, sizeof(out), 0, probe), 0);
    EXPECT_STREQ(out, "untouched");
    probe.returnedOverride = 20;  // too short even for the offset field
    EXPECT_EQ(readDiskSerial(out, sizeof(out), 0, probe), 0);
    probe.returnedOverride = -1;
    EXPECT_EQ(readDiskSerial(out, sizeof(out), 0, probe), 8);
    EXPECT_STREQ(out, "PQ1R3254");
    EXPECT_EQ(readDiskSerial(out, sizeof(out), 1, probe), 0) << "a drive that cannot be opened";
}

TEST(ReadDiskSerial, DescriptorLargerThanTheBufferIsCut) {
    FakeMachineProbe probe;
    probe.drives[0] = descriptorWithSerial(std::string(20000, 'Q'), 9000, false);
    char out[256];
    EXPECT_EQ(readDiskSerial(out, sizeof(out), 0, probe), 255);
    EXPECT_EQ(std::string(out), std::string(255, 'Q'));
}

TEST(DiskSerialsReport, OneLinePerDriveWithASerial) {
    FakeMachineProbe probe;
    probe.drives[0] = descriptorWithSerial("BADC");
    probe.drives[2] = descriptorWithSerial("x-");
    probe.drives[15] = descriptorWithSerial("5A4B");
    EXPECT_EQ(diskSerialsReport(probe), L"第1块硬盘的序列号为：ABCD\n第16块硬盘的序列号为：KZ\n");
    EXPECT_EQ(diskSerialsReport(FakeMachineProbe()), L"");
}

TEST(BytesToHex, UpperCaseDigitsWithinTheBuffer) {
    const unsigned char bytes[] = {0x00, 0xAB, 0x7F};
    EXPECT_EQ(bytesToHex(bytes, 3), 0);
    EXPECT_STREQ(hexTextBuffer(), "00AB7F");
    const std::vector<unsigned char> many(1024, 0x5E);
    EXPECT_EQ(bytesToHex(many.data(), 1023), 0);
    EXPECT_EQ(std::strlen(hexTextBuffer()), 2046u);
    EXPECT_EQ(bytesToHex(many.data(), 1024), -1);
    EXPECT_EQ(std::strlen(hexTextBuffer()), 2046u) << "the digits written so far stay";
    EXPECT_EQ(bytesToHex(bytes, 0), 0);
    EXPECT_STREQ(hexTextBuffer(), "");
}

IP_ADAPTER_INFO adapterWith(std::vector<unsigned char> address) {
    IP_ADAPTER_INFO adapter{};
    adapter.AddressLength = static_cast<UINT>(address.size());
    std::memcpy(adapter.Address, address.data(), std::min<size_t>(address.size(), sizeof(adapter.Address)));
    return adapter;
}

TEST(MacAddressText, SixBytesPerAdapterInListOrder) {
    IP_ADAPTER_INFO first = adapterWith({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
    IP_ADAPTER_INFO second = adapterWith({0xF0, 0xE1, 0xD2, 0xC3, 0xB4, 0xA5});
    first.Next = &second;
    EXPECT_EQ(macAddressTextFrom(&first), "001A2B3C4D5EF0E1D2C3B4A5");
    EXPECT_EQ(macAddressTextFrom(nullptr), "");
}

TEST(MacAddressText, OtherAddressLengthsStayWithinWhatWasCopied) {
    IP_ADAPTER_INFO tunnel = adapterWith({});
    IP_ADAPTER_INFO ether = adapterWith({0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
    tunnel.Next = &ether;
    EXPECT_EQ(macAddressTextFrom(&tunnel), "010203040506");
    IP_ADAPTER_INFO longer = adapterWith({1, 2, 3, 4, 5, 6, 7, 8});
    longer.AddressLength = 200;  // more than the address field holds
    EXPECT_EQ(macAddressTextFrom(&longer), "010203040506");
}

TEST(MacAddressText, TheSystemListGivesHexOrNothing) {
    const std::string text = getMacAddressText().str();
    EXPECT_TRUE(std::regex_match(text, std::regex("([0-9A-F]{12})*"))) << text;
}

}  // namespace
