// A fresh folder on the real file system for one test, removed with everything in it afterwards.
// Names are UTF-8, as Linux stores them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

class TempFolder {
public:
    TempFolder() {
        std::string pattern = ::testing::TempDir();
        if (pattern.empty() || pattern.back() != '/')
            pattern += '/';
        pattern += "vesperine-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()))
            root_ = buffer.data();
        EXPECT_FALSE(root_.empty()) << "mkdtemp failed for " << pattern;
    }
    ~TempFolder() {
        if (!root_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(root_, ignored);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing slash.
    const std::string& path() const { return root_; }
    // relative is joined to the folder with '/'.
    std::string at(const std::string& relative) const { return root_ + "/" + relative; }

    void file(const std::string& relative, const std::string& content = "x") const {
        FILE* f = std::fopen(at(relative).c_str(), "wb");
        ASSERT_NE(f, nullptr) << at(relative);
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    void folder(const std::string& relative) const {
        ASSERT_EQ(mkdir(at(relative).c_str(), 0755), 0) << at(relative);
    }
    void symlink(const std::string& target, const std::string& relative) const {
        ASSERT_EQ(::symlink(target.c_str(), at(relative).c_str()), 0) << at(relative);
    }
    void fifo(const std::string& relative) const {
        ASSERT_EQ(mkfifo(at(relative).c_str(), 0644), 0) << at(relative);
    }

private:
    std::string root_;
};
