// The editor's manual: the page the build shipped beside quorix.exe, and the
// host's help service that opens it at a topic's place.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "editor/help_topics.h"
#include "host/app/quorix_services.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/scratch_files.h"

namespace {

std::vector<std::string> Matches(const std::string &text, const char *pattern)
{
    std::vector<std::string> found;
    std::regex re(pattern);
    for (std::sregex_iterator m(text.begin(), text.end(), re), end; m != end; ++m)
        found.push_back((*m)[1]);
    return found;
}

TEST(HelpManual, TheShippedPageHasItsPicturesAndAPlaceForEveryTopic)
{
    char exe[MAX_PATH];
    std::string folder(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
    folder = folder.substr(0, folder.find_last_of('\\')) + "\\..\\dist\\manual";
    const std::string page = ReadFile(folder + "\\index.html");
    ASSERT_NE(page.find("<h1"), std::string::npos) << folder << "\\index.html";
    const std::vector<std::string> ids = Matches(page, "id=\"([^\"]+)\"");
    const std::set<std::string> places(ids.begin(), ids.end());
    for (const std::string &picture : Matches(page, "<img src=\"([^\"]+)\""))
        EXPECT_TRUE(FileExists(folder + "\\" + picture)) << "picture " << picture;
    for (const std::string &link : Matches(page, "href=\"#([^\"]+)\""))
        EXPECT_TRUE(places.count(link)) << "link #" << link;
    for (const HelpAnchor &entry : HelpAnchors()) {
        EXPECT_TRUE(places.count(entry.anchor)) << entry.topic << " -> #" << entry.anchor;
        std::string forward = ReadFile(folder + "\\topics\\" + entry.anchor + ".html");
        EXPECT_NE(forward.find(std::string("url=../index.html#") + entry.anchor),
                  std::string::npos)
            << "the page of " << entry.topic;
    }
    for (const char *topic : EditorHelpTopics())
        EXPECT_TRUE(HelpAnchorOf(topic)) << "the host has no place for the editor's " << topic;
}

std::vector<std::string> opened;  // the URLs the service handed to the browser
bool browserTakes = true;

bool RecordBrowser(HWND, const std::string &url)
{
    opened.push_back(url);
    return browserTakes;
}

TEST(HelpManual, TheServiceOpensATopicsPageOrSaysWhatIsMissing)
{
    // A folder name that a URL must escape: space, "#" and "%".
    const std::string index = ScratchPath("help #1 %\\manual\\index.html");
    const std::string folder = index.substr(0, index.rfind('\\'));
    WriteFile(index, "<h1>x</h1>");
    WriteFile(ScratchPath("help #1 %\\manual\\topics\\the-preview.html"), "");
    WriteFile(ScratchPath("help #1 %\\manual\\topics\\lens-flare-editor.html"), "");
    std::string url = std::regex_replace("file:///" + folder, std::regex("%"), "%25");
    url = std::regex_replace(url, std::regex("\\\\"), "/");
    url = std::regex_replace(std::regex_replace(url, std::regex(" "), "%20"), std::regex("#"),
                             "%23");
    const std::string preview = url + "/topics/the-preview.html", start = url + "/index.html";
    const struct {
        const char *name, *topic;
        bool manualThere, browserTakes;
        std::string url;  // what the browser is handed, or "" for nothing
        std::string box;  // the message shown, or "" for none
    } rows[] = {
        {"a topic", "lens flare preview", true, true, preview, ""},
        {"any case", "Lens Flare EFFECTS", true, true, url + "/topics/lens-flare-editor.html", ""},
        {"a topic without its page", "lens flare sliders", true, true, start, ""},
        {"an unknown topic", "lens flare cooking", true, true, start, ""},
        {"no topic", nullptr, true, true, start, ""},
        {"no browser", "lens flare preview", true, false, preview,
         "No web browser could open the manual:\n\n" + preview},
        {"no manual", "lens flare preview", false, true, "",
         "The manual was not found. It should be here:\n\n" + folder + "x\\index.html"},
    };
    for (const auto &row : rows) {
        ModalWatcher watcher;
        opened.clear();
        browserTakes = row.browserTakes;
        QuorixServices services(ScratchPath("quorix.ini"), folder + (row.manualThere ? "" : "x"),
                                RecordBrowser);
        services.ShowHelpTopic(nullptr, row.topic);
        EXPECT_EQ(opened, std::vector<std::string>(row.url.empty() ? 0 : 1, row.url)) << row.name;
        std::vector<std::string> boxes;
        for (const CapturedBox &box : watcher.boxes())
            boxes.push_back(box.text);
        EXPECT_EQ(boxes, std::vector<std::string>(row.box.empty() ? 0 : 1, row.box)) << row.name;
    }
}

}  // namespace
