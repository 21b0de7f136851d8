// The resources carried by the built programs, read back through the platform.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"
#include "test_support.h"

namespace
{

const WORD US_ENGLISH = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

struct StringCase {
    UINT id;
    const char *text;
};

const StringCase STRINGS[] = {
    {IDS_TITLE, "Tovel Framix Install Update"},
    {IDS_WINDOW_CLASS, "UPDATE"},
    {IDS_ERR_WRITE_FILE, "Unable to write to file."},
    {IDS_ERR_CREATE_FILE, "Unable to create file."},
    {IDS_ERR_CREATE_DIR, "Unable to create directory."},
    {IDS_ERR_LOAD_RESOURCE, "Unable to load resource."},
    {IDS_ERR_CREATE_KEY, "Unable to create Registry Key."},
    {IDS_INSTALL_KEY, "Software\\Tovel\\Framix\\Install"},
    {IDS_PATH_VALUE, "PrePathToCopy"},
    {IDS_UPDATED, "Tovel Framix Installer has now been updated.\n\nPlease run the Setup program "
                  "form the Tovel Framix CD."},
    {IDS_INSERT_CD, "Please insert the Tovel Framix Installation CD and press OK."},
    {IDS_WRONG_CD, "This is not the correct CD."},
    {IDS_INCOMPLETE, "Driver update is incomplete."},
    {IDS_RUN_VALUE, "PostPathToRun"},
    {IDS_PROFILE_FILE, "All-in-Wonder-NTSC.ini"},
    {IDS_PROFILE_LUMARIS_PAL, "Lumaris-VideoDesk-PAL.ini"},
    {IDS_PROFILE_ORBEL_NTSC, "Orbel-Capture32-NTSC.ini"},
    {IDS_PROFILE_QUILLON_SECAM, "Quillon-TVPort-SECAM.ini"},
};

// Each built program, loaded as data: the 64-bit one the tests run and the shipped 32-bit one.
class Catalogue : public testing::TestWithParam<const char *>
{
  protected:
    void SetUp() override
    {
        m_module = LoadLibraryExA(GetParam(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(m_module != NULL) << "cannot load " << GetParam();
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    // The raw bytes of a resource in US English.
    std::string Resource(const char *type, UINT id)
    {
        HRSRC info = FindResourceExA(m_module, type, MAKEINTRESOURCEA(id), US_ENGLISH);
        if (!info)
            return "";
        const char *data = (const char *)LockResource(LoadResource(m_module, info));
        return std::string(data, SizeofResource(m_module, info));
    }
    HMODULE m_module = NULL;
};

TEST_P(Catalogue, HoldsEveryStringExactly)
{
    for (const StringCase &string : STRINGS) {
        char text[512] = "";
        int length = LoadStringA(m_module, string.id, text, sizeof text);
        EXPECT_STREQ(string.text, text) << "string " << string.id;
        EXPECT_EQ((int)strlen(string.text), length);
    }
    // Ids between the used ones stay empty.
    char text[16];
    EXPECT_EQ(0, LoadStringA(m_module, 110, text, sizeof text));
    EXPECT_EQ(0, LoadStringA(m_module, 2005, text, sizeof text));
    // The CD prompt keeps its caption in 50 characters: the title fits whole.
    char caption[50];
    LoadStringA(m_module, IDS_TITLE, caption, sizeof caption);
    EXPECT_STREQ("Tovel Framix Install Update", caption);
}

TEST_P(Catalogue, MenuHasFileExitAndHelpAbout)
{
    HMENU menu = LoadMenuA(m_module, MAKEINTRESOURCEA(IDR_MAIN));
    ASSERT_TRUE(menu != NULL);
    ASSERT_EQ(2, GetMenuItemCount(menu));
    struct Item {
        const char *popup, *item;
        UINT command;
    } expected[] = {{"&File", "E&xit", CMD_EXIT}, {"&Help", "&About ...", CMD_ABOUT}};
    for (int i = 0; i < 2; i++) {
        char text[64];
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(expected[i].popup, text);
        HMENU popup = GetSubMenu(menu, i);
        ASSERT_TRUE(popup != NULL);
        ASSERT_EQ(1, GetMenuItemCount(popup));
        GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(expected[i].item, text);
        EXPECT_EQ(expected[i].command, GetMenuItemID(popup, 0));
    }
    DestroyMenu(menu);
}

TEST_P(Catalogue, AcceleratorsAreAltQuestionMarkAndAltSlashAsCharacters)
{
    HACCEL table = LoadAcceleratorsA(m_module, MAKEINTRESOURCEA(IDR_MAIN));
    ASSERT_TRUE(table != NULL);
    ACCEL entries[8];
    ASSERT_EQ(2, CopyAcceleratorTableA(table, entries, 8));
    const char keys[] = {'?', '/'};
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(FALT, entries[i].fVirt) << "entry " << i; // no FVIRTKEY: a character
        EXPECT_EQ(keys[i], entries[i].key);
        EXPECT_EQ(CMD_ABOUT, entries[i].cmd);
    }
    DestroyAcceleratorTable(table);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_P(Catalogue, IconGroupHasItsFiveImagesInOrder)
{
    std::string group = Resource(RT_GROUP_ICON, IDI_MAIN);
    ASSERT_GE(group.size(), 6u);
    const WORD *header = (const WORD *)group.data();
    EXPECT_EQ(1, header[1]); // icons, not cursors
    ASSERT_EQ(5, header[2]);
    ASSERT_EQ(6 + 5 * sizeof(GroupIconEntry), group.size());
    struct Image {
        int size, colours, bitCount;
    } expected[] = {{32, 16, 4}, {16, 16, 4}, {32, 0, 8}, {48, 0, 8}, {32, 2, 1}};
    const GroupIconEntry *entries = (const GroupIconEntry *)(group.data() + 6);
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].size, entries[i].width);
        EXPECT_EQ(expected[i].size, entries[i].height);
        EXPECT_EQ(expected[i].colours, entries[i].colours);
        EXPECT_EQ(expected[i].bitCount, entries[i].bitCount);
        // The image itself agrees with its directory entry.
        std::string image = Resource(RT_ICON, entries[i].id);
        ASSERT_EQ(entries[i].bytes, image.size());
        const BITMAPINFOHEADER *bitmap = (const BITMAPINFOHEADER *)image.data();
        EXPECT_EQ(expected[i].size, bitmap->biWidth);
        EXPECT_EQ(2 * expected[i].size, bitmap->biHeight);
        EXPECT_EQ(expected[i].bitCount, bitmap->biBitCount);
    }
}

std::string VersionString(const std::vector<char> &block, const char *name)
{
    std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
    char *value = NULL;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), query.c_str(), (void **)&value, &length) || !value)
        return "<missing>";
    return value;
}

TEST_P(Catalogue, VersionBlockDescribesTheProgram)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(GetParam(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(GetParam(), 0, size, block.data()));

    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", (void **)&fixed, &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    EXPECT_EQ((DWORD)VFT_APP, fixed->dwFileType);
    EXPECT_EQ((DWORD)VOS_NT_WINDOWS32, fixed->dwFileOS);
    EXPECT_EQ(0u, fixed->dwFileFlags);

    WORD *translation = NULL;
    ASSERT_TRUE(
        VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (void **)&translation, &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(1200, translation[1]);

    struct Entry {
        const char *name, *value;
    } entries[] = {{"FileDescription", "Tovel Framix Install Update"},
                   {"ProductName", "Tovel Framix Install Update"},
                   {"FileVersion", "1, 0, 0, 1"},
                   {"ProductVersion", "1, 0, 0, 1"},
                   {"InternalName", "Update"},
                   {"OriginalFilename", "Update.exe"},
                   {"CompanyName", "Tovel Media Inc."},
                   {"LegalCopyright", "Copyright (C) 1998 Tovel Media Inc."},
                   {"Comments", ""},
                   {"LegalTrademarks", ""},
                   {"PrivateBuild", ""},
                   {"SpecialBuild", ""}};
    for (const Entry &entry : entries)
        EXPECT_EQ(entry.value, VersionString(block, entry.name)) << entry.name;
}

TEST_P(Catalogue, EverythingIsInUsEnglish)
{
    struct {
        const char *type;
        UINT id;
    } resources[] = {{RT_GROUP_ICON, IDI_MAIN},       {RT_MENU, IDR_MAIN},
                     {RT_ACCELERATOR, IDR_MAIN},      {RT_VERSION, 1},
                     {RT_STRING, IDS_TITLE / 16 + 1}, {RT_STRING, IDS_PROFILE_FILE / 16 + 1}};
    for (const auto &resource : resources)
        EXPECT_FALSE(Resource(resource.type, resource.id).empty())
            << "resource " << resource.id << " has no US English version";
}

TEST_P(Catalogue, CarriesTheCaptureProfileUnchanged)
{
    std::string profile = Resource("TEXTFILE", IDR_PROFILE);
    std::string source;
    ASSERT_TRUE(ReadFileBytes(TEST_PROFILE_SOURCE, &source));
    EXPECT_TRUE(profile == source) << "the embedded profile differs from the repository's";

    EXPECT_EQ(8007u, profile.size());
    EXPECT_EQ(0u, profile.find("# Version 1.1\r\n"));
    size_t lines = 0, registered = 0, otherHigh = 0, bareBreaks = 0;
    for (size_t i = 0; i < profile.size(); i++) {
        unsigned char c = profile[i];
        if (c == '\n') {
            lines++;
            bareBreaks += i == 0 || profile[i - 1] != '\r';
        } else if (c == '\r') {
            bareBreaks += i + 1 == profile.size() || profile[i + 1] != '\n';
        }
        registered += c == 0xAE;
        otherHigh += c > 0x7F && c != 0xAE;
    }
    EXPECT_EQ(151u, lines);
    EXPECT_EQ(0u, bareBreaks);
    EXPECT_EQ("\r\n", profile.substr(profile.size() - 2));
    EXPECT_EQ(6u, registered);
    EXPECT_EQ(0u, otherHigh);
    for (const char *key : {"Initialize", "EnterCapture", "IsCardInstalled", "Bt829", "IV41"})
        EXPECT_NE(std::string::npos, profile.find(key)) << key;
}

// Reads a DIALOG (not DIALOGEX) template.
struct TemplateReader {
    const WORD *p;
    WORD Word()
    {
        return *p++;
    }
    DWORD Dword()
    {
        DWORD value = p[0] | (DWORD)p[1] << 16;
        p += 2;
        return value;
    }
    // A string, or "#n" for an ordinal.
    std::string Text()
    {
        if (*p == 0xFFFF) {
            p++;
            return "#" + std::to_string(Word());
        }
        std::string text;
        while (*p)
            text += (char)*p++;
        p++;
        return text;
    }
    void AlignToDword(const void *start)
    {
        while (((const char *)p - (const char *)start) % 4)
            p++;
    }
};

TEST_P(Catalogue, AboutDialogTemplateIsAsDesigned)
{
    std::string resource = Resource(RT_DIALOG, IDD_ABOUT);
    ASSERT_FALSE(resource.empty());
    TemplateReader reader{(const WORD *)resource.data()};
    EXPECT_EQ((DWORD)(DS_MODALFRAME | DS_SETFONT | WS_CAPTION | WS_SYSMENU), reader.Dword());
    EXPECT_EQ(0u, reader.Dword()); // extended style
    WORD count = reader.Word();
    ASSERT_EQ(4, count);
    short x = reader.Word(), y = reader.Word(), cx = reader.Word(), cy = reader.Word();
    EXPECT_EQ(std::vector<short>({22, 17, 230, 75}), std::vector<short>({x, y, cx, cy}));
    EXPECT_EQ("", reader.Text()); // no menu
    EXPECT_EQ("", reader.Text()); // the standard dialog class
    EXPECT_EQ("About", reader.Text());
    EXPECT_EQ(8, reader.Word());
    EXPECT_EQ("System", reader.Text());

    const DWORD child = WS_CHILD | WS_VISIBLE;
    struct Control {
        DWORD style;
        short x, y, cx, cy;
        WORD id;
        const char *className, *text;
    } expected[] = {
        {SS_ICON | child, 14, 9, 20, 20, IDC_ABOUT_ICON, "#130", "#107"},
        {SS_LEFT | SS_NOPREFIX | WS_GROUP | child, 49, 10, 137, 8, 0xFFFF, "#130",
         "Tovel Framix Install Update Version 1.0"},
        {SS_LEFT | WS_GROUP | child, 49, 20, 119, 8, 0xFFFF, "#130",
         "Copyright (C) 1998 Tovel Media Inc."},
        {BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | child, 195, 6, 30, 11, IDOK, "#128", "OK"},
    };
    for (const Control &control : expected) {
        SCOPED_TRACE(control.text);
        reader.AlignToDword(resource.data());
        EXPECT_EQ(control.style, reader.Dword());
        EXPECT_EQ(0u, reader.Dword());
        short rect[4] = {(short)reader.Word(), (short)reader.Word(), (short)reader.Word(),
                         (short)reader.Word()};
        EXPECT_EQ(std::vector<short>({control.x, control.y, control.cx, control.cy}),
                  std::vector<short>(rect, rect + 4));
        EXPECT_EQ(control.id, reader.Word());
        EXPECT_EQ(control.className, reader.Text()); // #128 button, #130 static
        EXPECT_EQ(control.text, reader.Text());
        EXPECT_EQ(0, reader.Word()); // no creation data
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltPrograms, Catalogue,
                         testing::Values(TEST_UPDATE_EXE, TEST_RELEASE_EXE),
                         [](const testing::TestParamInfo<const char *> &info) {
                             return info.index == 0 ? std::string("x86_64") : std::string("i686");
                         });

} // namespace
