// The settings file parser: any bytes load without a crash, every read gives a value, and a
// write after loading gives a text that loads again without problems and with the values
// written. Parsed from memory, so that fuzzing spends its time in the parser, not on files.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    qb::SettingsStore store = qb::SettingsStore::FromText(bytes);
    (void)store.ReadInt("System", "CrLf", 0);
    (void)store.ReadString("Print", "KinsokuFirst", "x");
    store.WriteInt("System", "Verify", 0);
    store.WriteString("Macro", "Dir", bytes);
    const qb::SettingsStore reloaded = qb::SettingsStore::FromText(store.Text());
    if (!reloaded.LoadProblems().empty()) std::abort();
    if (reloaded.ReadInt("System", "Verify", 1) != 0) std::abort();
    if (reloaded.ReadString("Macro", "Dir", "") != bytes) std::abort();
    return 0;
}
