#ifndef VELMO_MODEL_PARSETREE_H
#define VELMO_MODEL_PARSETREE_H

// The story tree. A loaded story is one tree of nodes: the root, one
// class/object node per class or object of the story (children of the
// root), and function nodes (children of the object that declares or
// inherits them, or of the root). Each node owns its variables, code,
// parameters, attributes and names; objects also have a location in the
// game world and a list of contents.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/declension.h"
#include "base/namehash.h"
#include "model/argslist.h"
#include "model/attrlist.h"
#include "model/changemark.h"
#include "model/codelist.h"
#include "model/varlist.h"

namespace velmo {

class tstory;

enum : uint32_t { kKindRoot = 0, kKindObject = 1, kKindFunction = 2 };

// The level limit of a lookup on a node that is no class/object.
constexpr int32_t kUnlimitedLevel = 1000;
// The longest superclass name taken from a declaration "name:Super".
constexpr std::size_t kMaxSuperName = 25;

// A running timer: when `remaining` reaches 0 the object's "timeout"
// function runs. `beforeTick` is the count before the last tick.
struct ttimer {
    int32_t remaining = 0;
    int32_t beforeTick = 0;
    class tnode* object = nullptr;

    bool operator==(const ttimer&) const = default;
};

class tnode {
public:
    // Builds a node under `owner` (the root itself is made by tstory, so
    // `owner` must not be null). A function node gets its parameters from
    // `superOrParams`; a class/object node names its superclass there and
    // inherits its variables, attributes and functions. On failure (bad
    // parameters, unknown superclass) the error is reported, `*errorFlag`
    // is set and the node is not linked into the tree: `create` returns
    // null.
    static tnode* create(tstory& story, tnode* owner, bool* errorFlag, int32_t line,
                         int32_t valueType, const std::string& superOrParams,
                         const std::string& name, uint32_t kind);
    ~tnode();

    tnode(const tnode&) = delete;
    tnode& operator=(const tnode&) = delete;

    // Splits a declaration ("name(params)" for functions, "name:Super" for
    // classes) and creates the child; a function that overrides one of the
    // same name gets this node's level. `*errorFlag` receives this node's
    // error flag, and is set as well when creation failed (result null).
    tnode* addChild(uint32_t kind, const std::string& declaration, bool* errorFlag, int32_t line,
                    int32_t valueType);
    // Copies the superclass's functions into this node: they share its
    // code records and keep the level at which that code was written.
    void inheritFrom(tnode& superClassNode);

    // The last child named exactly `childName` whose level does not
    // exceed this node's level (class/object nodes; no limit otherwise).
    tnode* findChild(std::string_view childName) const;
    // findChild here, then on each owner up to the root.
    tnode* findInScope(std::string_view childName);
    // A child of the root named `className`, or named by the value of the
    // variable `className` of this node. Reports "Klasse ... nicht
    // deklariert" into `*errorFlag` when there is none.
    tnode* findClass(int32_t line, bool* errorFlag, const std::string& className);
    // Elements of the variable in the nearest node up the owner chain
    // that declares it; 0 and "unbekannter Bezeichner ..." when none does.
    int32_t elementCount(const std::string& varName, int32_t line);

    tnode* rootOf();
    const tnode* rootOf() const;
    tstory& story() const { return *story_; }

    // The world. `moveTo` keeps `location`, the `contents` lists and the
    // story's scope list in step; null takes the object out of the world.
    // It is the only way to change them while a story runs: it sets the
    // undo marks of the nodes whose location or contents change.
    void moveTo(tnode* destination);
    // Sets the name text. The declined forms of its variants are made
    // when first asked for (shortNames): a big story names thousands of
    // objects, and a session mentions few of them.
    void setShortName(const std::string& text);
    // The forms of each name variant of the name text, made on first use.
    const std::vector<tshortNames>& shortNames() const;
    const std::string& getShortName() const { return shortName; }
    void setLongDescription(const std::string& text) { longDescription = text; }
    const std::string& getLongDescription() const { return longDescription; }
    // A display form of the first name variant; empty without names.
    std::string nameForm(int32_t grammaticalCase, bool withAdjectives, int32_t articleKind) const;
    // 0 masculine, 1 feminine, 2 neuter, 3 proper name, 4 plural.
    int32_t grammarClass() const;
    void registerVerb(int32_t line, const std::string& pattern, const std::string& identifier,
                      const std::string& timeText);

    // Saved games: this node's record.
    void saveState(std::ostream& out) const;
    // False when the record is cut short or names a child index outside
    // the root's children; the parts read before stay applied, the tree
    // stays consistent, and every undo snapshot is discarded.
    bool restoreState(std::istream& in);

    // Accessors.
    tnode* getOwner() const { return owner; }
    uint32_t getKind() const { return kind; }
    int32_t getValueType() const { return valueType; }
    int32_t getLevel() const { return level; }
    void setLevel(int32_t value) {
        level = value;
        ++lookupChanges_;
    }
    // Counts, over every story of this process, each change that can alter
    // what findChild finds: a child linked, a level changed. A lookup kept
    // together with the count holds while the count has not moved.
    static uint64_t lookupChanges() { return lookupChanges_; }
    bool getError() const { return error; }
    bool getAbstract() const { return isAbstract; }
    bool isMentioned() const { return mentioned; }
    const std::vector<std::unique_ptr<tnode>>& children() const { return children_; }
    // The position of `child` among this node's children, or -1.
    int32_t indexOfChild(const tnode* child) const;
    // The child at `index`, or null when out of range.
    tnode* childAt(int32_t index) const;

    // Fields. `name` must not change once the node is linked: the owner
    // finds its children by it.
    tvarlist vars;
    tcodelist code;
    targslist args;
    std::unique_ptr<TAttrList> attrs;  // class/object nodes only
    std::vector<ttimer> timers;        // root only
    std::vector<tnode*> daemons;       // root only
    std::vector<tnode*> contents;      // not owning
    std::string shortName;
    tnode* location = nullptr;
    tnode* caller = nullptr;
    tnode* superClass = nullptr;
    int32_t nameIndex = 0;
    std::string name;
    std::string longDescription;
    uint32_t kind = kKindRoot;
    int32_t valueType = 3;
    bool isAbstract = false;
    bool mentioned = false;
    bool error = false;
    tnode* owner = nullptr;
    // Set by the first change of the world state that undo keeps (see
    // model/changemark.h); the story attaches it for the root's children.
    tchangemark undoMark;

private:
    friend class tstory;
    friend class tscopelist;
    friend class tnameindex;
    explicit tnode(tstory& story);
    // Takes ownership of a finished child and appends it.
    tnode* link(std::unique_ptr<tnode> child);
    bool hasChildNamed(std::string_view childName) const;
    // Takes this node out of its location's contents.
    void leaveLocation();

    static uint64_t lookupChanges_;

    int32_t level = 0;  // written through setLevel alone, which counts the change

    tstory* story_;
    std::vector<std::unique_ptr<tnode>> children_;
    int32_t position_ = -1;       // index among the owner's children
    int32_t scopePosition_ = -1;  // index in the story's scope list (tscopelist checks it)

    // The forms of `shortName`, valid while `namesMade_` holds.
    mutable std::vector<tshortNames> shortNames_;
    mutable bool namesMade_ = true;
    // Where the node stands in the story's name index (tnameindex keeps it).
    enum class tindexed : uint8_t { no, queued, listed };
    tindexed indexed_ = tindexed::no;

    // Children by name, each name's children in tree order. Kept only
    // for nodes with many children (the root of a big story), where a
    // scan of all of them for every name an expression meets would cost.
    std::unordered_map<std::string, std::vector<tnode*>, tnameHasher, std::equal_to<>> byName_;
};

// The node's name, or "NULL" for none.
std::string nameOf(const tnode* node);

}  // namespace velmo

#endif
