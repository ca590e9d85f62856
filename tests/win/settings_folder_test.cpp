// The Windows program in a folder it cannot write to (as C:\Program Files is for a user): its
// settings go to %APPDATA%\zunmo-calc\TKVR.INI, seeded once from the file beside the program and
// never overwritten by it, and no write message appears. Run by tests/win/read_only_folder.sh,
// which makes and locks the folder. The program as the setup program installed it (after a
// silent install by tests/win/setup_program.sh): its Start-menu shortcut leads to the .exe, which
// calculates and keeps its settings in %APPDATA%\zunmo-calc, and while it runs neither the setup
// program nor the uninstaller touches its files.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/settings_location.h"
#include "win/program.h"

namespace zm {
namespace {

using test::Program;
using test::waitFor;
using win::toWide;

const std::string kFeeGbk = "\xCA\xD6\xD0\xF8\xB7\xD1";   // 手续费
const std::string kDutyGbk = "\xD3\xA1\xBB\xA8\xCB\xB0";  // 印花税

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A path of the Linux file system as Wine's drive Z: shows it.
std::filesystem::path fromUnix(const char* path) {
    std::wstring wide = L"Z:" + toWide(path);
    std::ranges::replace(wide, L'/', L'\\');
    return wide;
}

TEST(WindowsSettingsFolder, a_read_only_program_folder_keeps_the_settings_in_appdata) {
    const char* locked = std::getenv("ZM_READ_ONLY_FOLDER");
    if (locked == nullptr) {
        GTEST_SKIP() << "needs the locked folder of tests/win/read_only_folder.sh";
    }
    const std::filesystem::path folder = fromUnix(locked);
    const std::u8string folderUtf8 = folder.u8string();
    ASSERT_FALSE(settings::isWritableDirectory(std::string(folderUtf8.begin(), folderUtf8.end())))
        << "the program folder can be written to";
    const std::string beside = contents(folder / "TKVR.INI");
    ASSERT_EQ(beside, "[TIP]\r\n" + kFeeGbk + "=2.5\r\n");

    test::TempDir appData;
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", toWide(appData.path()).c_str()));
    const std::filesystem::path own = test::pathOf(appData.path()) / "zunmo-calc" / "TKVR.INI";
    {
        Program program(folder);
        ASSERT_TRUE(program.focusIn(form1::Text1));
        // The rate comes from the copy of the file beside the program.
        EXPECT_EQ(program.text(form1::Combo1), "2.5");
        program.typeAndEnter("10.5");
        ASSERT_TRUE(program.focusIn(form1::Text2));
        program.typeAndEnter("1000");
        ASSERT_TRUE(waitFor([&] { return program.text(form1::Text3) == "10,500.00"; }));
        // The rates were saved, without the write message.
        EXPECT_TRUE(program.noMessageBox());
        program.click(form1::Command2);
        EXPECT_EQ(program.exitCode(), 0u);
    }
    EXPECT_EQ(contents(folder / "TKVR.INI"), beside);
    const std::string saved = contents(own);
    EXPECT_NE(saved.find(kFeeGbk + "=2.5\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find(kDutyGbk + "="), std::string::npos) << saved;

    // The next start keeps the file it has: the one beside the program does not replace it.
    std::ofstream(own, std::ios::binary | std::ios::trunc) << "[TIP]\r\n" + kFeeGbk + "=1.5\r\n";
    Program again(folder);
    ASSERT_TRUE(again.focusIn(form1::Text1));
    EXPECT_EQ(again.text(form1::Combo1), "1.5");
    EXPECT_EQ(contents(folder / "TKVR.INI"), beside);
}

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
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder)));
    const auto settings = std::filesystem::path(folder) / "zunmo-calc" / "TKVR.INI";
    EXPECT_NE(contents(settings).find(kFeeGbk + "="), std::string::npos);
}

}  // namespace
}  // namespace zm
