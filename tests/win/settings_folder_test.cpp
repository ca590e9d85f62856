// The Windows program in a folder it cannot write to (as C:\Program Files is for a user): its
// settings go to %APPDATA%\zunmo-calc\TKVR.INI, seeded once from the file beside the program and
// never overwritten by it, and no write message appears. Run by tests/win/read_only_folder.sh,
// which makes and locks the folder.
#include <windows.h>

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

}  // namespace
}  // namespace zm
