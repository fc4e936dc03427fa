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

std::string DistManual()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\')) + "\\..\\dist\\manual";
}

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
    const std::string folder = DistManual();
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
    const std::string manual = ScratchPath("help #1 %\\manual\\index.html");
    const std::string folder = manual.substr(0, manual.size() - strlen("\\index.html"));
    WriteFile(manual, "<h1>x</h1>");
    WriteFile(ScratchPath("help #1 %\\manual\\topics\\the-preview.html"), "");
    WriteFile(ScratchPath("help #1 %\\manual\\topics\\lens-flare-editor.html"), "");
    std::string url = "file:///" + folder;
    for (char &c : url)
        c = c == '\\' ? '/' : c;
    url = std::regex_replace(url, std::regex("%"), "%25");
    url = std::regex_replace(url, std::regex(" "), "%20");
    url = std::regex_replace(url, std::regex("#"), "%23");

    struct Row {
        const char *name;
        const char *topic;
        bool manualThere, browserTakes;
        std::string url;  // what the browser is handed, or "" for nothing
        std::string box;  // the start of the message shown, or "" for none
    };
    const Row rows[] = {
        {"a topic", "lens flare preview", true, true, url + "/topics/the-preview.html", ""},
        {"another case", "Lens Flare EFFECTS", true, true, url + "/topics/lens-flare-editor.html",
         ""},
        {"a topic without its page", "lens flare sliders", true, true, url + "/index.html", ""},
        {"an unknown topic", "lens flare cooking", true, true, url + "/index.html", ""},
        {"no topic", nullptr, true, true, url + "/index.html", ""},
        {"no browser", "lens flare preview", true, false, url + "/topics/the-preview.html",
         "No web browser could open the manual:\n\n" + url + "/topics/the-preview.html"},
        {"no manual", "lens flare preview", false, true, "",
         "The manual was not found. It should be here:\n\n" + folder + "x\\index.html"},
    };
    for (const Row &row : rows) {
        ModalWatcher watcher;
        opened.clear();
        browserTakes = row.browserTakes;
        QuorixServices services(ScratchPath("quorix.ini"), row.manualThere ? folder : folder + "x",
                                RecordBrowser);
        services.ShowHelpTopic(nullptr, row.topic);
        EXPECT_EQ(opened, row.url.empty() ? std::vector<std::string>{}
                                          : std::vector<std::string>{row.url})
            << row.name;
        ASSERT_EQ(watcher.boxes().size(), row.box.empty() ? 0u : 1u) << row.name;
        if (!row.box.empty()) {
            EXPECT_EQ(watcher.boxes()[0].text, row.box) << row.name;
        }
    }
}

}  // namespace
