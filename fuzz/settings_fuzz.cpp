// The settings file parser: any bytes load without a crash, every read gives a value, and a
// write after loading leaves a file that loads again without problems.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char dir[] = "/tmp/qbay-settings-fuzz-XXXXXX";
    if (!mkdtemp(dir)) return 0;
    const std::string path = std::string(dir) + "/settings.ini";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    {
        qb::SettingsStore store(path);
        (void)store.ReadInt("System", "CrLf", 0);
        (void)store.ReadString("Print", "KinsokuFirst", "x");
        store.WriteInt("System", "Verify", 0);
        store.WriteString("Macro", "Dir", std::string(reinterpret_cast<const char*>(data), size));
    }
    qb::SettingsStore reloaded(path);
    if (!reloaded.LoadProblems().empty()) std::abort();
    if (reloaded.ReadInt("System", "Verify", 1) != 0) std::abort();
    std::remove(path.c_str());
    std::remove((path + ".bad").c_str());
    rmdir(dir);
    return 0;
}
