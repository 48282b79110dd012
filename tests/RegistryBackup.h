// Takes a registry key or value away for the length of one test and puts it back afterwards,
// so that tests can see how the code copes with a machine that lacks it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace vindrel::test {

struct StoredValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Reads one value in full; false if it is missing.
inline bool LoadValue(HKEY key, const std::string& name, StoredValue& value) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return false;
    value.name = name;
    value.data.resize(size);
    return RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
}

inline void StoreValue(HKEY key, const StoredValue& value) {
    RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
}

// Deletes a key that holds only values; the destructor creates it again with the same values.
class KeyTakenAway {
public:
    KeyTakenAway(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
        HKEY key;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        DWORD subKeys = 0, values = 0, longest = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, &longest, nullptr,
                         nullptr, nullptr);
        for (DWORD i = 0; subKeys == 0 && i < values; ++i) {
            std::string name(longest + 1, '\0');
            DWORD len = longest + 1;
            if (RegEnumValueA(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
            name.resize(len);
            StoredValue value;
            if (LoadValue(key, name, value)) saved_.push_back(value);
        }
        RegCloseKey(key);
        taken_ = subKeys == 0 && RegDeleteKeyA(root_, path_.c_str()) == ERROR_SUCCESS;
    }
    ~KeyTakenAway() {
        if (!taken_) return;
        HKEY key;
        if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        for (const StoredValue& value : saved_) StoreValue(key, value);
        RegCloseKey(key);
    }
    KeyTakenAway(const KeyTakenAway&) = delete;
    KeyTakenAway& operator=(const KeyTakenAway&) = delete;
    bool Taken() const { return taken_; }

private:
    HKEY root_;
    std::string path_;
    std::vector<StoredValue> saved_;
    bool taken_ = false;
};

// Deletes one value; the destructor writes it back.
class ValueTakenAway {
public:
    ValueTakenAway(HKEY root, std::string path, const std::string& name) : root_(root), path_(std::move(path)) {
        HKEY key;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        taken_ = LoadValue(key, name, saved_) && RegDeleteValueA(key, name.c_str()) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~ValueTakenAway() {
        HKEY key;
        if (!taken_ || RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        StoreValue(key, saved_);
        RegCloseKey(key);
    }
    ValueTakenAway(const ValueTakenAway&) = delete;
    ValueTakenAway& operator=(const ValueTakenAway&) = delete;
    bool Taken() const { return taken_; }

private:
    HKEY root_;
    std::string path_;
    StoredValue saved_;
    bool taken_ = false;
};

}  // namespace vindrel::test
