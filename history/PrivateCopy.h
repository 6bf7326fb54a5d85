// A copy of a history file and its side file in a folder of our own, removed with the object.
#pragma once
#include <functional>
#include <memory>
#include <string>

class PrivateCopy {
public:
    virtual ~PrivateCopy() = default;
    // True when the history file itself was copied whole.
    virtual bool IsReady() const = 0;
    // The copy of the history file (UTF-8), in its own folder, its side file beside it.
    virtual std::string Utf8Path() const = 0;
};

// Makes the private copy of `utf8File` with its side file (`sideSuffix`: "-journal" or "-wal").
using PrivateCopyMaker = std::function<std::unique_ptr<PrivateCopy>(const std::string& utf8File, const char* sideSuffix)>;
