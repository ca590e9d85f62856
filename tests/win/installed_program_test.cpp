// The program as the setup program installed it, run by tests/win/setup_program.sh after a silent
// install into a fresh Wine prefix: its Start-menu shortcut leads to the installed .exe, which
// starts, calculates and keeps its settings in %APPDATA%\zunmo-calc, and while it runs neither
// the setup program nor the uninstaller touches its files.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "win/program.h"

namespace zm {
namespace {

using test::Program;
using win::toWide;

// The target of a shell link, read through the shell as Explorer does.
std::filesystem::path shortcutTarget(const std::filesystem::path& link) {
    CoInitialize(nullptr);
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell))) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
        shell->GetPath(target, MAX_PATH, nullptr, 0);
    }
    return target;  // the two objects die with the process
}

TEST(WindowsSetup, the_start_menu_program_calculates_and_keeps_settings_in_appdata) {
    const char* setup = std::getenv("ZM_SETUP_PROGRAM");  // its Windows path
    if (setup == nullptr) {
        GTEST_SKIP() << "needs the installed program of tests/win/setup_program.sh";
    }
    wchar_t folder[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, folder)));
    const std::wstring name = L"股票交易费用成本Zunmo计算器";
    const auto exe = shortcutTarget(std::filesystem::path(folder) / name / (name + L".lnk"));
    ASSERT_EQ(exe.filename(), "zunmo-calc.exe");
    const auto installed = exe.parent_path();
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder)));
    const auto settings = std::filesystem::path(folder) / "zunmo-calc" / "TKVR.INI";
    {
        Program program(installed);
        ASSERT_TRUE(program.focusIn(form1::Text1));
        program.typeAndEnter("10.5");
        ASSERT_TRUE(program.focusIn(form1::Text2));
        program.typeAndEnter("1000");
        ASSERT_TRUE(test::waitFor([&] { return program.text(form1::Text3) == "10,500.00"; }));
        EXPECT_TRUE(program.noMessageBox());
        // While it runs, a second install and the uninstaller refuse (silent: an exit code).
        EXPECT_EQ(_wsystem((L"\"\"" + toWide(setup) + L"\" /S\"").c_str()), 3);
        EXPECT_EQ(_wsystem((L"\"\"" + (installed / "uninstall.exe").wstring() + L"\" /S _?=" +
                            installed.wstring() + L"\"")
                               .c_str()),
                  3);
        EXPECT_TRUE(std::filesystem::exists(exe));
        program.click(form1::Command2);
        EXPECT_EQ(program.exitCode(), 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(installed / "TKVR.INI"));
    std::ifstream saved(settings, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(saved), {}};
    EXPECT_NE(text.find("[TIP]\r\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace zm
