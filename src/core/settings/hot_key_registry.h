#pragma once

// The program's system-wide hot keys over a run: identifiers made once,
// every registration withdrawn before the next choice is registered, and
// all of it given back before the program ends.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/settings/hot_key_plan.h"

namespace keyreel {

// What the platform offers for system-wide hot keys.
class HotKeyPlatform {
  public:
    virtual ~HotKeyPlatform() = default;
    // The identifier of the name, the same again while the name is held;
    // 0 when none could be made.
    virtual std::int16_t addAtom(std::string_view name) = 0;
    virtual void deleteAtom(std::int16_t atom) = 0;
    // False when the combination could not be registered: another program
    // holds it.
    virtual bool registerHotKey(const HotKeyRegistration& hotKey) = 0;
    virtual void unregisterHotKey(std::int32_t id) = 0;
};

class HotKeyRegistry {
  public:
    explicit HotKeyRegistry(HotKeyPlatform& platform) : platform_(platform) {}
    ~HotKeyRegistry() { release(); }
    HotKeyRegistry(const HotKeyRegistry&) = delete;
    HotKeyRegistry& operator=(const HotKeyRegistry&) = delete;

    // Makes the eight identifiers, unless they exist.
    void addAtoms();
    // `hotKeyIds`: what an arriving hot key is compared with.
    const HotKeyIds& hotKeyIds() const { return hotKeyIds_; }

    // Withdraws every registration, then registers the hot keys the
    // settings ask for: a key turned off stops answering at once, and a
    // changed modifier replaces the old chord instead of joining it.
    void registerHotKeys(const HotKeySettings& settings);
    // The latest registration refused the slot's combination. Keyreel held
    // none of its own then, so another program holds it.
    bool takenByAnotherProgram(std::size_t slot) const {
        return slot < taken_.size() && taken_[slot];
    }

    // Withdraws every registration and deletes the atoms. The program ends
    // through ExitProcess, where no destructor runs, so exit calls this.
    void release();

  private:
    void withdrawAll();

    HotKeyPlatform& platform_;
    HotKeyIds hotKeyIds_{};
    bool atomsAdded_ = false;
    // The identifiers registered, one entry per registration.
    std::vector<std::int32_t> registered_;
    std::array<bool, kHotKeyCount> taken_{};
};

}  // namespace keyreel
