#include "tests/editor/editor_harness.h"

#include <cstring>

#include "controls/tabbed_panel.h"
#include "editor/add_element_dialog.h"
#include "editor/editor_dialog.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/undo.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "resources/colour_ids.h"
#include "resources/resource.h"
#include "tests/support/host_channel.h"
#include "tests/support/plugin_calls.h"
#include "tests/support/token.h"

namespace {

// A host keyword path as its tokens: "fadewithdistance enabled" is two.
std::vector<QiToken> Path(const char *keyword)
{
    std::vector<QiToken> tokens;
    std::string words = keyword;
    size_t start = 0;
    while (start < words.size()) {
        size_t end = words.find(' ', start);
        if (end == std::string::npos)
            end = words.size();
        tokens.push_back(T(words.substr(start, end - start).c_str()));
        start = end + 1;
    }
    return tokens;
}

void Inquire(const char *keyword, void *address)
{
    std::vector<QiToken> p = Path(keyword);
    if (p.size() == 1)
        Qi_Inquire_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, p[0], address, QI_GROUP, QI_END);
    else
        Qi_Inquire_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, p[0], p[1], address, QI_GROUP,
                             QI_END);
}

}  // namespace

std::string EditorTest::IniFilePath()
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + "lensflare_editor_test.ini";
}

void EditorTest::SetUp()
{
    moduleHandle = GetModuleHandleA(nullptr);
    // Every test starts on the built-in default flare.
    Qi_Remove(T("light"), QIHOST_DEFAULT_LIGHT, QI_END);
    Qi_Remove(T("camera"), QIHOST_DEFAULT_CAMERA, QI_END);
    QiHost_Create_Default_Scene();
    QiHost_Clear_Errors();
    iniPath_ = services_.GetIniFilePath();
    DeleteFileA(iniPath_.c_str());
    liveBlocks_ = QiHost_Live_Blocks();
    // Freed host memory is not handed out again during a test, so that a
    // pointer into a released working flare writes where it shows.
    QiHost_Quarantine_Freed_Blocks(100000);
    instance_ = LinkedPlugin().NewInstance(&services_);
}

void EditorTest::TearDown()
{
    LinkedPlugin().Destroy(instance_);
    EXPECT_EQ(QiHost_Live_Blocks(), liveBlocks_) << "the editor gave back all host memory";
    QiHost_Quarantine_Freed_Blocks(0);
    for (const HostReport &report : HostReports())
        EXPECT_NE(report.name, "ERR_WRITE_AFTER_FREE") << "the editor wrote into freed memory";
    DeleteFileA(iniPath_.c_str());
}

void EditorTest::RunEditor(std::vector<DialogStep> steps, const char *kind, const char *name)
{
    instance_->handleType = T(kind);
    lstrcpynA(instance_->flareName, name, FLARE_NAME_SIZE);
    steps.insert(steps.begin(), [](HWND) {});
    steps.push_back(PostCloseBox);
    size_t first = watcher_.dialogs().size();
    watcher_.OnDialog([&, first](HWND dialog) {
        if (watcher_.dialogs().size() == first + 1)
            RunDialogScript(dialog, steps);
        else if (onNestedDialog_)
            onNestedDialog_(dialog);
    });
    INT_PTR result =
        DialogBoxParamA(moduleHandle, "LensFlareDialogBox", nullptr, EditorDialogProc, 0);
    EXPECT_EQ(result, expectedResult_);
}

std::string EditorTest::NewBoxes()
{
    std::string all;
    for (size_t i = seenBoxes_; i < watcher_.boxes().size(); ++i)
        all += watcher_.boxes()[i].caption + ": " + watcher_.boxes()[i].text + "\n";
    seenBoxes_ = watcher_.boxes().size();
    return all;
}

std::string EditorTest::IniValue(const char *section, const char *key) const
{
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "(absent)", value, sizeof value, iniPath_.c_str());
    return value;
}

void EditorTest::SetIniValue(const char *section, const char *key, const char *value) const
{
    WritePrivateProfileStringA(section, key, value, iniPath_.c_str());
}

float HostFloat(const char *keyword)
{
    float value[3] = {-1.0f, -1.0f, -1.0f};
    Inquire(keyword, value);
    return value[0];
}

int32_t HostInt(const char *keyword)
{
    int32_t value = -1;
    Inquire(keyword, &value);
    return value;
}

QiToken HostSwitch(const char *keyword)
{
    QiToken value = 0;
    Inquire(keyword, &value);
    return value;
}

void SetHostFloat(const char *keyword, float value)
{
    std::vector<QiToken> p = Path(keyword);
    Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, p[0], &value, QI_GROUP, QI_END);
}

void SetHostSwitch(const char *keyword, const char *onOrOff)
{
    std::vector<QiToken> p = Path(keyword);
    Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, p[0], p[1], T(onOrOff), QI_GROUP, QI_END);
}

std::vector<std::string> HostElements(const char *keyword)
{
    std::vector<std::string> texts;
    int32_t count = 0;
    Inquire("numelements", &count);
    for (int32_t e = 0; e < count; ++e) {
        const char *text = nullptr;
        Qi_Inquire_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("element"), &e, T(keyword),
                             &text, QI_GROUP, QI_END);
        texts.push_back(text ? text : "");
    }
    return texts;
}

void SetHostElements(const std::vector<const char *> &types)
{
    for (const std::string &guid : HostElements("guid"))
        Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("delete"), guid.c_str(), QI_END);
    for (const char *type : types) {
        const char *guid = nullptr;
        Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("insert"), T("end"), type, &guid, QI_END);
    }
}

std::array<float, 3> HostParameter(int32_t element, int32_t parameter)
{
    std::array<float, 3> value = {-1.0f, -1.0f, -1.0f};
    Qi_Inquire_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("element"), &element, QI_GROUP,
                         T("parameter"), &parameter, T("value"), value.data(), QI_GROUP, QI_END);
    return value;
}

std::vector<float> HostGradientOffsets(int32_t element, int32_t parameter)
{
    int32_t count = 0;
    float *colours = nullptr, *offsets = nullptr;
    Qi_Inquire_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("element"), &element, QI_GROUP,
                         T("parameter"), &parameter, T("gradientdata"), &count, &colours,
                         &offsets, QI_GROUP, QI_END);
    return std::vector<float>(offsets, offsets + (count > 0 ? count : 0));
}

std::string PresetPath(const std::string &name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\')) + "\\..\\dist\\lensfx\\" + name;
}

std::vector<std::string> PresetNames()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(PresetPath("*.lnz").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void SelectElement(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ELEMENT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

int SelectedElement(HWND dialog)
{
    return int(SendDlgItemMessageA(dialog, IDC_ELEMENT_LIST, LB_GETCURSEL, 0, 0));
}

int ElementRows(HWND dialog)
{
    return int(SendDlgItemMessageA(dialog, IDC_ELEMENT_LIST, LB_GETCOUNT, 0, 0));
}

FlareParameter *Parameter(int index)
{
    FlareParameter *p = currentInstance->currentElement->firstParameter;
    while (p && index-- > 0)
        p = p->next;
    return p;
}

void ShowPage(HWND dialog, int16_t page)
{
    SendMessageA(dialog, TPN_CLICKED, WPARAM(page), 0);
}

void UndoStep(HWND dialog)
{
    SendMessageA(dialog, WM_SYSCOMMAND, SC_UNDO_STEP, 0);
}

void RedoStep(HWND dialog)
{
    SendMessageA(dialog, WM_SYSCOMMAND, SC_REDO_STEP, 0);
}

bool MenuOffers(HWND dialog, UINT command)
{
    UINT state = GetMenuState(GetSystemMenu(dialog, FALSE), command, MF_BYCOMMAND);
    return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void Settle()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void LoadPreset(HWND dialog, const char *name)
{
    int32_t status = -1;
    Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("loadfromfile"), PresetPath(name).c_str(),
                 &status, QI_END);
    EXPECT_EQ(status, 0) << name;
    ReloadAfterLibraryLoad(dialog);
}

void RedToZero(HWND selector)
{
    SendMessageA(selector, WM_HSCROLL, SB_TOP, LPARAM(GetDlgItem(selector, IDC_CHANNEL_BAR)));
    PostMessageA(selector, WM_COMMAND, IDOK, 0);
}

void RedToZeroOrAddAtStart(HWND nested)
{
    if (WindowText(nested) != "Select Element")
        return RedToZero(nested);
    SendMessageA(nested, WM_COMMAND, PLACE_AT_START, 0);
    PostMessageA(nested, WM_COMMAND, IDOK, 0);
}

namespace {

RenderCount *renderCount = nullptr;

void OnHostCall(const char *function, int64_t, void *)
{
    if (renderCount && std::strcmp(function, "Qi_LensFlareApplyToGBuffer") == 0)
        ++renderCount->renders;
}

}  // namespace

RenderCount::RenderCount()
{
    renderCount = this;
    QiHost_Set_Call_Trace(OnHostCall, nullptr);
}

RenderCount::~RenderCount()
{
    QiHost_Set_Call_Trace(nullptr, nullptr);
    renderCount = nullptr;
}

bool Inside(const RECT &inner, const RECT &outer)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void DragSlider(HWND slider, int x0, int x1)
{
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, 25));
    SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((x0 + x1) / 2, 25));
    SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, 25));
    SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(x1, 25));
}

namespace {

// The keys held down, as the keyboard's state shows them; key 0 is none.
void HoldKeys(int modifiers, UINT key)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = (modifiers & WITH_CTRL) ? 0x80 : 0;
    keys[VK_SHIFT] = (modifiers & WITH_SHIFT) ? 0x80 : 0;
    keys[VK_MENU] = (modifiers & WITH_ALT) ? 0x80 : 0;
    for (UINT held : {UINT(VK_TAB), UINT(VK_ESCAPE), UINT(VK_RETURN)})
        keys[held] = held == key ? 0x80 : 0;
    SetKeyboardState(keys);
}

void Deliver(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int modifiers)
{
    HoldKeys(modifiers, message == WM_KEYDOWN ? UINT(wParam) : 0);
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, message, wParam, lParam);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    HoldKeys(0, 0);
}

}  // namespace

void PressKey(HWND dialog, UINT key, int modifiers)
{
    if (modifiers & WITH_ALT)
        Deliver(dialog, WM_SYSKEYDOWN, key, LPARAM(1) | (LPARAM(1) << 29), modifiers);
    else
        Deliver(dialog, WM_KEYDOWN, key, 1, modifiers);
}

void PressAltLetter(HWND dialog, char letter)
{
    const char lower = letter >= 'A' && letter <= 'Z' ? char(letter - 'A' + 'a') : letter;
    Deliver(dialog, WM_SYSCHAR, WPARAM(uint8_t(lower)), LPARAM(1) | (LPARAM(1) << 29), 0);
}

void TypeInto(HWND edit, const char *text)
{
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (const char *c = text; *c; ++c)
        SendMessageA(edit, WM_CHAR, WPARAM(uint8_t(*c)), 1);
}

uint32_t Bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::array<GlobalSliderRow, 5> GlobalSliderRows()
{
    return {{
        {globalIntensitySlider, PAGE_GLOBAL, &WorkingFlare::intensity, "intensity"},
        {globalScaleSlider, PAGE_GLOBAL, &WorkingFlare::scale, "scale"},
        {globalRotationSlider, PAGE_GLOBAL, &WorkingFlare::angle, "angle"},
        {anamorphicStretchSlider, PAGE_GLOBAL, &WorkingFlare::anamorphicstretch,
         "anamorphicstretch"},
        {occlusionRadiusSlider, PAGE_FADING, &WorkingFlare::occlusionradius, "occlusionradius"},
    }};
}

std::array<GlobalSwitchRow, 10> GlobalSwitchRows()
{
    return {{
        {IDC_FLARE_ENABLED, PAGE_GLOBAL, "enabled"},
        {IDC_USE_LIGHT_PARAMS, PAGE_GLOBAL, "uselightparams enabled"},
        {IDC_FADE_NEAR_BORDER, PAGE_FADING, "fadeifnearborder enabled"},
        {IDC_FADE_BEHIND, PAGE_FADING, "fadeifbehindobjects enabled"},
        {IDC_FADE_APPROACHING, PAGE_FADING, "fadeifapproachingobjects enabled"},
        {IDC_FADE_DISTANCE, PAGE_FADING, "fadewithdistance enabled"},
        {IDC_GLOW_BEHIND, PAGE_FADING, "glowbehindobjects enabled"},
        {IDC_SCALE_REFLEXES, PAGE_FADING, "scalereflexeswithdistance enabled"},
        {IDC_SCALE_GLOW, PAGE_FADING, "scaleglowwithdistance enabled"},
        {IDC_FASTER_UPDATES, PAGE_GLOBAL, "fastdrag enabled"},
    }};
}
