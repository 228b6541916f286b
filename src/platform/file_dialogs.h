// The standard file dialogs for configuration files ("*.vkf").
#pragma once
#include <optional>
#include <string>

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The full path of an existing file the user chose; nothing if cancelled.
    virtual std::optional<std::string> open(const std::string& title) = 0;
    // The full path to save under: ".vkf" is added to a name typed without an
    // extension, and replacing a file is asked first. Nothing if cancelled.
    virtual std::optional<std::string> save(const std::string& title) = 0;
};
