#pragma once
#include <cerrno>
#include <functional>
#include <string>
#include <utility>

// Makes the system calls that write a file fail as a failing disk makes them fail. A test
// program that uses this has the calls replaced (the core is linked statically, so its calls
// come here); each goes on to the C library unless a fault is armed for it.
namespace faults {

enum class Call { Write, Sync, Truncate, Close, Rename, SetAttr, RemoveAttr };

struct Fault
{
    Fault(Call call, std::string path = {}, int skip = 0, int times = -1, int error = EIO)
        : call(call), path(std::move(path)), skip(skip), times(times), error(error)
    { }

    Call call;
    // The file the calls act on (for a rename, the file renamed over), as it is when armed;
    // empty: any file.
    std::string path;
    int skip = 0; // matching calls that go through first
    int times = -1; // matching calls that fail after those, -1 every one
    int error = EIO;
    // Run at the first matching call after the skipped ones instead of failing it: another
    // program acting at that moment. The call then goes on.
    std::function<void()> instead;
};

// One fault, armed while this lives.
class Armed
{
public:
    explicit Armed(Fault f);
    ~Armed();
    Armed(const Armed &) = delete;
    Armed &operator=(const Armed &) = delete;
    // Matching calls that failed (or ran `instead`).
    int hits() const;
};

} // namespace faults
