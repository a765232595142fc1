// The program file's own resources, read from the built exe the way the
// shell and the loader read them: version block, icon group, manifest.
#include <string>
#include <string_view>

#include "harness.h"
#include "resources/program_icon_win32.h"
#include "resources/resource_ids.h"

namespace tz::e2e {
namespace {

// The program file mapped for its resources only; its code never runs.
class ResourceFile {
  public:
    ResourceFile()
        : module_(LoadLibraryExW(Settings().program.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceFile() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;
    HMODULE get() const { return module_; }

  private:
    HMODULE module_;
};

// version.dll by name, so the driver needs no import library for it.
struct VersionApi {
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    HMODULE dll = LoadLibraryW(L"version.dll");
    SizeFn size = reinterpret_cast<SizeFn>(Proc("GetFileVersionInfoSizeW"));
    InfoFn info = reinterpret_cast<InfoFn>(Proc("GetFileVersionInfoW"));
    QueryFn query = reinterpret_cast<QueryFn>(Proc("VerQueryValueW"));

    void* Proc(const char* name) const {
        return dll != nullptr ? reinterpret_cast<void*>(GetProcAddress(dll, name)) : nullptr;
    }
};

std::wstring VersionString(const VersionApi& api, const std::string& block, std::wstring_view key) {
    const std::wstring path = L"\\StringFileInfo\\080404B0\\" + std::wstring(key);
    void* value = nullptr;
    UINT length = 0;
    if (!api.query(block.data(), path.c_str(), &value, &length) || value == nullptr)
        return L"(none)";
    return static_cast<const wchar_t*>(value);
}

TZ_SCENARIO(VersionBlock, "resources: version block") {
    VersionApi api;
    if (!Check(api.size != nullptr && api.info != nullptr && api.query != nullptr,
               "version.dll functions")) {
        return;
    }
    const wchar_t* file = Settings().program.c_str();
    DWORD ignored = 0;
    const DWORD size = api.size(file, &ignored);
    if (!Check(size > 0, "the program file has a version block")) return;
    std::string block(size, '\0');
    if (!Check(api.info(file, 0, size, block.data()) != FALSE, "version block read")) return;

    const WORD* translation = nullptr;
    UINT length = 0;
    api.query(block.data(), L"\\VarFileInfo\\Translation",
              reinterpret_cast<void**>(const_cast<WORD**>(&translation)), &length);
    if (Check(translation != nullptr && length >= 4, "a translation entry")) {
        CheckEqual(static_cast<long long>(translation[0]), 0x0804, "language: Chinese (PRC)");
        CheckEqual(static_cast<long long>(translation[1]), 1200, "code page: Unicode");
    }
    const VS_FIXEDFILEINFO* fixed = nullptr;
    api.query(block.data(), L"\\", reinterpret_cast<void**>(const_cast<VS_FIXEDFILEINFO**>(&fixed)),
              &length);
    if (Check(fixed != nullptr, "fixed file info")) {
        CheckEqual(static_cast<long long>(fixed->dwFileVersionMS), 0x00030002LL, "FILEVERSION 3,2");
        CheckEqual(static_cast<long long>(fixed->dwFileVersionLS), 0LL, "FILEVERSION ..,0,0");
        CheckEqual(static_cast<long long>(fixed->dwProductVersionMS), 0x00030002LL,
                   "PRODUCTVERSION 3,2");
    }

    const std::wstring description = Widen(
        "抖音刷粉,快手刷粉,微博刷粉,抖音刷赞,抖音刷评论,快手刷关注,快手刷评论,"
        "斗鱼刷关注，小红书刷粉，买欢乐豆");
    CheckEqual(VersionString(api, block, L"FileVersion"), std::wstring(L"3.2.0.0"), "FileVersion");
    CheckEqual(VersionString(api, block, L"ProductVersion"), std::wstring(L"3.2.0.0"),
               "ProductVersion");
    CheckEqual(VersionString(api, block, L"ProductName"), Widen("棠舟"), "ProductName");
    CheckEqual(VersionString(api, block, L"FileDescription"), description, "FileDescription");
    CheckEqual(VersionString(api, block, L"Comments"), description, "Comments");
}

// Named groups sort before numbered ones, so any name counts as lower.
BOOL CALLBACK NoteGroupBeforeProgramIcon(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR lower) {
    if (!IS_INTRESOURCE(name) || reinterpret_cast<ULONG_PTR>(name) < IDI_PROGRAM) {
        *reinterpret_cast<bool*>(lower) = true;
    }
    return TRUE;
}

TZ_SCENARIO(ProgramIcon, "resources: icon group and the window icons' image") {
    ResourceFile file;
    if (!Check(file.get() != nullptr, "program file opened for its resources")) return;
    for (IconRole role : {IconRole::kBig, IconRole::kSmall}) {
        const std::string which = role == IconRole::kBig ? "big icon" : "small icon";
        UniqueIcon icon = LoadProgramIcon(file.get(), role);
        if (!Check(static_cast<bool>(icon), which + " loads")) continue;
        ICONINFO info{};
        if (!Check(GetIconInfo(icon.get(), &info) != FALSE, which + " info")) continue;
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        CheckEqual(static_cast<long long>(colour.bmWidth), 16, which + ": the 16 x 16 image");
        CheckEqual(static_cast<long long>(colour.bmHeight), 16, which + ": height");
        CheckEqual(static_cast<long long>(colour.bmBitsPixel), 32, which + ": 32 bits per pixel");
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }

    // The shell shows the group with the lowest ID for the program file.
    Check(FindResourceW(file.get(), MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON) != nullptr,
          "icon group 1");
    bool lower = false;
    EnumResourceNamesW(file.get(), RT_GROUP_ICON, NoteGroupBeforeProgramIcon,
                       reinterpret_cast<LONG_PTR>(&lower));
    Check(!lower, "no icon group comes before ID 1");
}

TZ_SCENARIO(Manifest, "resources: manifest") {
    ResourceFile file;
    if (!Check(file.get() != nullptr, "program file opened for its resources")) return;
    HRSRC found = FindResourceW(file.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (!Check(found != nullptr, "manifest resource 1")) return;
    const char* data = static_cast<const char*>(LockResource(LoadResource(file.get(), found)));
    const std::string manifest(data, SizeofResource(file.get(), found));
    auto has = [&](std::string_view text) { return manifest.find(text) != std::string::npos; };
    Check(has("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
          "depends on the common controls, version 6");
    Check(has("processorArchitecture=\"x86\""), "an x86 application");
    Check(has("level=\"asInvoker\""), "runs as the invoking user");
    Check(has("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}") &&
              has("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),
          "supportedOS from Windows 7 to 10/11");
    Check(!has("dpiAware>") && !has("dpiAwareness>"),
          "not DPI aware: the window has fixed pixel sizes");
}

}  // namespace
}  // namespace tz::e2e
