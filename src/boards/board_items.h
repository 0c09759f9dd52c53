#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "logic/model_collection.h"
#include "platform/event.h"

// The shape every board model shares. A board owns one holder per kind of item (its
// inputs, its lamps, a track end's in codes...); a holder is an object of the item class
// that is never listed itself but owns the list of items; the list owns the items. An
// addition to a list is announced by the list, relayed by its holder, relayed again by
// the board, and heard by the board's window, at once and after the item is stored.

namespace veldra {

// An addition announced along the climb: the new item's name.
using ItemAdded = Event<std::string_view>;

// The key a board list stores an item under. Spare positions all carry the name "SPARE"
// and so cannot be keyed; only that exact word is spare, "Spare" is a name like any other.
inline std::string_view BoardKey(std::string_view name) {
    return name == "SPARE" ? std::string_view() : name;
}

template <class Collection, class Item>
class BoardItems;

// The base of every item class: the list the item belongs to, or, on a holder, the list it
// owns. The item class gives it its family's name (BoardInputs, Lamps, TrAInCodes...).
template <class Collection>
class BoardItem {
public:
    BoardItem(const BoardItem&) = delete;
    BoardItem& operator=(const BoardItem&) = delete;

protected:
    BoardItem() = default;
    ~BoardItem() = default;

    // On an item, the list that holds it. On a holder, its own list, made empty on the
    // first read; from then on every addition the list announces through `added` is
    // announced again through `relay`, the holder's own event.
    Collection& Plural(ItemAdded Collection::*added, const ItemAdded& relay) {
        const bool firstRead = collection_ == nullptr && own_ == nullptr;
        Collection& list = Plural();
        if (firstRead) {
            const ItemAdded* target = &relay;
            relay_ =
                (list.*added).Subscribe([target](std::string_view name) { target->Raise(name); });
        }
        return list;
    }

    // The same for a family whose lists announce nothing.
    Collection& Plural() {
        if (collection_ != nullptr) {
            return *collection_;
        }
        if (own_ == nullptr) {
            own_ = std::make_unique<Collection>();
        }
        return *own_;
    }

private:
    template <class, class>
    friend class BoardItems;

    Collection* collection_ = nullptr;  // an item's list; it does not own it
    std::unique_ptr<Collection> own_;   // a holder's list
    Subscription relay_;
};

// The base of every board list: a keyed, ordered list whose Add reports a failure with
// the model's error question, after closing the loading-progress window.
template <class Collection, class Item>
class BoardItems : public ModelCollection<Item> {
public:
    BoardItems() = default;
    BoardItems(const BoardItems&) = delete;
    BoardItems& operator=(const BoardItems&) = delete;

protected:
    // Stores the item under its name ("SPARE" without a key) and, once it is in the list,
    // announces it through `added`. A name already listed, whatever its letter case, is
    // refused with the error question: nothing is stored, nothing announced.
    Item* Append(std::string_view name, std::unique_ptr<Item> item, const ItemAdded& added) {
        Item* stored = Insert(BoardKey(name), std::move(item));
        if (stored != nullptr) {
            added.Raise(name);
        }
        return stored;
    }

    // Stores the item under the key (none when empty), without announcing it.
    Item* Insert(std::string_view key, std::unique_ptr<Item> item) {
        item->collection_ = static_cast<Collection*>(this);
        return this->AddReported(key, [&] { return std::move(item); });
    }
};

// Where a board (or a track end, or a signal head) keeps one holder: it owns the holder
// and, while it holds it, relays each of the holder's additions to an event of its own.
template <class Holder>
class HolderSlot {
public:
    // One event of the holder, and the owner's event that carries it on.
    struct Relay {
        ItemAdded Holder::*added;
        const ItemAdded* to;
    };

    // A holder whose additions nobody hears.
    HolderSlot() = default;
    HolderSlot(ItemAdded Holder::*added, const ItemAdded& to) : relays_{Relay{added, &to}} {}
    explicit HolderSlot(std::initializer_list<Relay> relays) : relays_(relays) {}
    HolderSlot(const HolderSlot&) = delete;
    HolderSlot& operator=(const HolderSlot&) = delete;

    Holder* Get() const { return holder_.get(); }

    // Takes the holder in place of the one held, which goes with everything it owns.
    void Set(std::unique_ptr<Holder> holder) {
        subscriptions_.clear();
        holder_ = std::move(holder);
        if (holder_ == nullptr) {
            return;
        }
        for (const Relay& relay : relays_) {
            const ItemAdded* to = relay.to;
            subscriptions_.push_back(
                ((*holder_).*relay.added).Subscribe([to](std::string_view name) {
                    to->Raise(name);
                }));
        }
    }

private:
    std::vector<Relay> relays_;
    std::unique_ptr<Holder> holder_;
    std::vector<Subscription> subscriptions_;
};

// The settings every board but the serial station has, as the source's board header
// gives them.
class BoardHeader {
public:
    const std::string& BoardName() const { return boardName_; }
    void SetBoardName(std::string_view name) { boardName_ = std::string(name); }

    // From the header's "ENABLE:" entry: 1 gives True, 0 False.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }

    // True for an "ADJUSTABLE" board, whose enabled state the user may change on its
    // window; False for a "FIXED" one.
    bool Adjustable() const { return adjustable_; }
    void SetAdjustable(bool on) { adjustable_ = on; }

protected:
    BoardHeader() = default;
    ~BoardHeader() = default;

private:
    std::string boardName_;
    bool enabled_ = false;
    bool adjustable_ = false;
};

}  // namespace veldra
