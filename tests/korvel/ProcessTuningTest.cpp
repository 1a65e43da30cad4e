// Binding a real (suspended) process to processors and priorities, the
// privileges of our own process, and opening a file through the shell.
#include "ModOpenFile.h"
#include "ModSetPriority.h"
#include "NativeCallRecorder.h"
#include "ProcessTuning.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace korvel;

namespace {

// A suspended copy of the probe, ended when the test ends.
class SuspendedChild {
public:
    SuspendedChild()
    {
        std::wstring line = L"\"" + kt::ProbePath() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(kt::ProbePath().c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                  nullptr, nullptr, &startup, &info_) != 0;
    }
    ~SuspendedChild()
    {
        if (!started_)
            return;
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool started() const { return started_; }
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    DWORD_PTR affinity() const
    {
        DWORD_PTR process = 0, system = 0;
        GetProcessAffinityMask(info_.hProcess, &process, &system);
        return process;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

DWORD_PTR LowestBit(DWORD_PTR mask) { return mask & (~mask + 1); }

TEST(TuneProcess, AppliesMaskPriorityClassAndIoPriorityToAnotherProcess)
{
    const std::uint32_t all = SystemProcessorMask();
    ASSERT_NE(all, 0u);
    const std::int32_t one = static_cast<std::int32_t>(LowestBit(all));
    // Idle, the below-normal class 16384 and high, each given as a class,
    // with I/O priorities very low, normal and high.
    const std::pair<std::int32_t, std::int32_t> cases[] = {{64, 0}, {16384, 2}, {128, 3}};
    for (const auto& [priorityClass, io] : cases) {
        SuspendedChild child;
        ASSERT_TRUE(child.started());
        kt::NativeCallRecorder native;
        std::int32_t mask = one;
        TuneProcess(child.id(), mask, priorityClass, io);
        EXPECT_EQ(mask, one) << "a chosen mask is kept";
        EXPECT_EQ(child.affinity(), static_cast<DWORD_PTR>(one));
        EXPECT_EQ(GetPriorityClass(child.handle()), static_cast<DWORD>(priorityClass));
        ASSERT_EQ(native.calls.size(), 1u) << priorityClass;
        EXPECT_EQ(native.calls[0], (kt::SetInformationCall{child.id(), 33, io, 4})) << kt::Describe(native.calls[0]);
    }
}

TEST(TuneProcess, ZeroMaskGivesEveryProcessorEvenFromARestrictedParent)
{
    DWORD_PTR ownMask = 0, systemMask = 0;
    ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &ownMask, &systemMask));
    if (LowestBit(systemMask) == systemMask)
        GTEST_SKIP() << "one processor: a restricted parent cannot be told apart";
    const kt::ProcessTuningGuard restore;
    // The child inherits our restriction to one processor...
    ASSERT_TRUE(SetProcessAffinityMask(GetCurrentProcess(), LowestBit(systemMask)));
    {
        SuspendedChild child;
        ASSERT_TRUE(child.started());
        ASSERT_EQ(child.affinity(), LowestBit(systemMask));
        // ...and "every processor" lifts it, and hands the real mask back.
        std::int32_t mask = 0;
        TuneProcess(child.id(), mask, 32, 2);
        EXPECT_EQ(static_cast<DWORD_PTR>(static_cast<std::uint32_t>(mask)), systemMask);
        EXPECT_EQ(child.affinity(), systemMask);
    }
}

TEST(TuneProcess, AProcessThatCannotBeOpenedIsLeftAloneQuietly)
{
    const kt::ProcessTuningGuard restore;
    std::int32_t mask = 0;
    TuneProcess(0xFFFFFFF0u, mask, 128, 2);  // no such process
    EXPECT_EQ(static_cast<std::uint32_t>(mask), SystemProcessorMask());
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

TEST(SetIOPriority, ReportsTheCallsStatusLowWord)
{
    // A null handle cannot take the hint: the status is a failure, not 0.
    EXPECT_NE(SetIOPriority(nullptr, 2), 0);
}

TEST(SetIOPriority, HandsTheHintToTheNativeCallAsClass33WithFourBytes)
{
    HANDLE self = OpenProcess(0x200, TRUE, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    // Wine's "not implemented", as the launcher sees it: the low word, 2.
    kt::NativeCallRecorder native(static_cast<LONG>(0xC0000002u));
    for (std::int32_t io : {0, 1, 2, 3}) {
        EXPECT_EQ(SetIOPriority(self, io), 2) << io;
        ASSERT_EQ(native.calls.size(), static_cast<std::size_t>(io + 1));
        EXPECT_EQ(native.calls.back(), (kt::SetInformationCall{GetCurrentProcessId(), 33, io, 4}))
            << kt::Describe(native.calls.back());
    }
    CloseHandle(self);
}

// Privileges the token holds, and which of them are enabled.
std::vector<std::pair<LUID, bool>> HeldPrivileges()
{
    std::vector<std::pair<LUID, bool>> out;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return out;
    DWORD size = 0;
    GetTokenInformation(token, ::TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size && GetTokenInformation(token, ::TokenPrivileges, buffer.data(), size, &size)) {
        const auto* list = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < list->PrivilegeCount; ++i)
            out.push_back({list->Privileges[i].Luid, (list->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED) != 0});
    }
    CloseHandle(token);
    return out;
}

TEST(EnablePrivileges, EnablesThePrivilegesTheTokenHolds)
{
    const auto before = HeldPrivileges();
    ASSERT_FALSE(before.empty());
    const int enabled = EnablePrivileges();
    EXPECT_GT(enabled, 0);
    const auto after = HeldPrivileges();
    ASSERT_EQ(after.size(), before.size());
    int nowEnabled = 0;
    for (const auto& [luid, on] : after) {
        EXPECT_TRUE(on) << "privilege " << luid.LowPart << " still disabled";
        nowEnabled += on ? 1 : 0;
    }
    EXPECT_EQ(nowEnabled, enabled);
}

TEST(ShellOpen, StartsTheTargetInTheGivenFolderWithTheShowCommand)
{
    kt::TempFolder where(L"korvel-shell");
    kt::TempFolder other(L"korvel-shell-dir");
    const std::wstring target = where.file(L"tool.exe");
    ASSERT_TRUE(CopyFileW(kt::ProbePath().c_str(), target.c_str(), FALSE));
    ShellOpen(target, other.path(), SW_SHOWMAXIMIZED);
    kt::Report report = kt::WaitForReport(target, 10000);
    ASSERT_FALSE(report.empty()) << "the shell did not start the target";
    EXPECT_EQ(report["cwd"], kt::Utf8(other.path()));
    EXPECT_EQ(report["showflag"], "1");
    EXPECT_EQ(report["show"], std::to_string(SW_SHOWMAXIMIZED));
}

} // namespace
