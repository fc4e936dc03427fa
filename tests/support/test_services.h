// A host service object for tests: the settings file it names, and the help
// topics it was asked to show.
#ifndef TESTS_SUPPORT_TEST_SERVICES_H
#define TESTS_SUPPORT_TEST_SERVICES_H

#include <string>
#include <vector>

#include "host/api/host_services.h"

class TestServices : public HostServices {
public:
    explicit TestServices(std::string iniPath = "test.ini") : iniPath_(std::move(iniPath)) {}
    void Reserved0() override {}
    void Reserved1() override {}
    void Reserved2() override {}
    const char *GetIniFilePath() override { return iniPath_.c_str(); }
    void ShowHelpTopic(HWND, const char *topic) override { helpTopics.push_back(topic); }

    std::vector<std::string> helpTopics;

private:
    std::string iniPath_;
};

#endif
