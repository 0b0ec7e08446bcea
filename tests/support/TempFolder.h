#pragma once
// A fresh, empty temporary folder, removed with all it holds when the object goes. The name
// holds the process id and a counter, so tests running side by side never share one.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

class TempFolder {
  public:
    explicit TempFolder(const std::string& purpose = "test") {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("orva-" + purpose + "-" + std::to_string(::getpid()) + "-" +
                 std::to_string(counter++));
        std::error_code error;
        std::filesystem::remove_all(path_, error);
        std::filesystem::create_directories(path_, error);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};
