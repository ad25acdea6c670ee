#include "model/parsetree.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "base/codedfile.h"
#include "base/declension.h"
#include "base/services.h"
#include "base/tokenizer.h"
#include "model/story.h"

namespace velmo {

namespace {

constexpr std::string_view kAbstractPrefix = "abstract";
// From this many children on a node finds them through its name index.
constexpr std::size_t kIndexedChildren = 16;

// A class made from a superclass starts as a copy of it: its variables
// (with "super" naming the superclass), its attributes and its functions.
void deriveFrom(tnode& node, tnode& superClassNode, int32_t line) {
    node.superClass = &superClassNode;
    superClassNode.vars.copyInto(node.vars);
    bool ignored = false;
    if (!node.vars.exists("super")) node.vars.declare("super", kTypeObject, ignored, line);
    node.vars.setValue("super", superClassNode.name, line);
    if (superClassNode.attrs && node.attrs) superClassNode.attrs->copylist(*node.attrs);
    node.inheritFrom(superClassNode);
}

}  // namespace

std::string nameOf(const tnode* node) { return node ? node->name : std::string("NULL"); }

tnode::tnode(tstory& story) : vars(story.services), args(story.services), story_(&story) {}

tnode::~tnode() = default;

// ------------------------------------------------------------ creation

tnode* tnode::create(tstory& story, tnode* owner, bool* errorFlag, int32_t line, int32_t valueType,
                     const std::string& superOrParams, const std::string& name, uint32_t kind) {
    bool ignored = false;
    bool& flag = errorFlag ? *errorFlag : ignored;
    if (!owner) {
        flag = true;
        return nullptr;
    }

    std::unique_ptr<tnode> node(new tnode(story));
    node->owner = owner;
    node->kind = kind;
    node->valueType = valueType;
    if (std::string_view(name).starts_with(kAbstractPrefix)) {
        node->isAbstract = true;
        node->name = name.substr(kAbstractPrefix.size());
    } else {
        node->name = name;
    }
    if (kind == kKindObject) node->attrs = std::make_unique<TAttrList>(story.services);

    if (kind == kKindFunction && !superOrParams.empty()) {
        node->args = targslist(story.services, superOrParams, line);
        if (node->args.Failed()) node->error = true;
    }
    if (kind == kKindObject && !superOrParams.empty()) {
        if (tnode* superClassNode = owner->findChild(superOrParams)) {
            deriveFrom(*node, *superClassNode, line);
        } else {
            story.services.showError(node->error, line,
                                     "Superklasse " + superOrParams + " nicht deklariert");
        }
    }

    // A node whose creation failed is not linked, and nothing else refers
    // to it yet, so it goes again here.
    if (node->error) {
        flag = true;
        return nullptr;
    }
    return owner->link(std::move(node));
}

uint64_t tnode::lookupChanges_ = 0;

tnode* tnode::link(std::unique_ptr<tnode> child) {
    ++lookupChanges_;
    child->position_ = static_cast<int32_t>(children_.size());
    children_.push_back(std::move(child));
    tnode* linked = children_.back().get();
    story_->nodeNames.add(linked->name);
    if (children_.size() == kIndexedChildren) {
        for (const auto& c : children_) byName_[c->name].push_back(c.get());
    } else if (children_.size() > kIndexedChildren) {
        byName_[linked->name].push_back(linked);
    }
    return linked;
}

bool tnode::hasChildNamed(std::string_view childName) const {
    if (!byName_.empty()) return byName_.contains(childName);
    return std::any_of(children_.begin(), children_.end(),
                       [&](const std::unique_ptr<tnode>& c) { return c->name == childName; });
}

tnode* tnode::addChild(uint32_t childKind, const std::string& declaration, bool* errorFlag,
                       int32_t line, int32_t childValueType) {
    std::string childName = declaration;
    std::string text;  // parameters of a function, superclass of a class
    if (childKind == kKindFunction) {
        const std::size_t open = declaration.find('(');
        const std::size_t close = declaration.find(')');
        if (open != std::string::npos && close != std::string::npos && open < close) {
            text = declaration.substr(open + 1, close - open - 1);
            childName = declaration.substr(0, open);
        }
    } else if (const std::size_t colon = declaration.find(':'); colon != std::string::npos) {
        text = declaration.substr(colon + 1, kMaxSuperName);
        childName = declaration.substr(0, colon);
    }

    const bool overrides = childKind == kKindFunction && hasChildNamed(childName);

    tnode* child = create(story(), this, &error, line, childValueType, text, childName, childKind);
    if (child && child->kind == kKindFunction && child->name == "beforeAction") {
        story().hooks.push_back(child);
    }
    // A function written in the source that replaces an inherited one
    // belongs to this node's level; inherited copies (line 0) keep theirs.
    if (child && overrides && line > 0) child->setLevel(level);
    if (errorFlag) *errorFlag = error || !child;
    return child;
}

void tnode::inheritFrom(tnode& superClassNode) {
    setLevel(superClassNode.level + 1);
    // Counted up front: a node inheriting from itself must not walk the
    // copies it appends.
    const std::size_t count = superClassNode.children_.size();
    for (std::size_t i = 0; i < count; ++i) {
        const tnode& original = *superClassNode.children_[i];
        bool ignored = false;
        tnode* copy = addChild(original.kind, original.name, &ignored, 0, original.valueType);
        if (!copy) continue;
        original.vars.copyInto(copy->vars);
        original.code.ShareInto(copy->code);
        for (const targ& parameter : original.args.Items()) copy->args.Add(parameter);
        copy->setLevel(original.level);
    }
}

// ------------------------------------------------------------ lookup

tnode* tnode::findChild(std::string_view childName) const {
    const int32_t limit = kind == kKindObject ? level : kUnlimitedLevel;
    if (!byName_.empty()) {
        const auto found = byName_.find(childName);
        if (found == byName_.end()) return nullptr;
        for (auto it = found->second.rbegin(); it != found->second.rend(); ++it) {
            if ((*it)->level <= limit) return *it;
        }
        return nullptr;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if ((*it)->level <= limit && (*it)->name == childName) return it->get();
    }
    return nullptr;
}

tnode* tnode::findInScope(std::string_view childName) {
    for (tnode* node = this; node; node = node->owner) {
        if (node->children_.empty()) continue;
        if (tnode* found = node->findChild(childName)) return found;
    }
    return nullptr;
}

tnode* tnode::findClass(int32_t line, bool* errorFlag, const std::string& className) {
    tnode* root = rootOf();
    if (tnode* found = root->findChild(className)) return found;
    // A variable may hold the name. It is asked only when it exists, so
    // the one report of a failed lookup is the one below.
    std::string value;
    if (vars.exists(className) && vars.getValue(className, value)) {
        if (tnode* found = root->findChild(value)) return found;
    }
    bool ignored = false;
    story().services.showError(errorFlag ? *errorFlag : ignored, line,
                               "Klasse " + className + " nicht deklariert");
    return nullptr;
}

int32_t tnode::elementCount(const std::string& varName, int32_t line) {
    for (tnode* node = this; node; node = node->owner) {
        if (const int32_t count = node->vars.elementCount(varName); count > 0) return count;
    }
    story().services.showError(rootOf()->error, line, "unbekannter Bezeichner " + varName);
    return 0;
}

tnode* tnode::rootOf() {
    tnode* node = this;
    while (node->owner) node = node->owner;
    return node;
}

const tnode* tnode::rootOf() const { return const_cast<tnode*>(this)->rootOf(); }

int32_t tnode::indexOfChild(const tnode* child) const {
    return child && child->owner == this ? child->position_ : -1;
}

tnode* tnode::childAt(int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= children_.size()) return nullptr;
    return children_[static_cast<std::size_t>(index)].get();
}

// ------------------------------------------------------------ the world

void tnode::leaveLocation() {
    if (location) std::erase(location->contents, this);
}

void tnode::moveTo(tnode* destination) {
    // Already there: not even the order of the contents changes. (A node
    // is in the contents of its location and of no other node, so its
    // location says so without a search of a big room's contents.)
    if (destination && location == destination) return;
    undoMark.set();
    if (location) location->undoMark.set();
    if (destination) destination->undoMark.set();
    leaveLocation();
    if (destination) destination->contents.push_back(this);
    location = destination;

    tstory& story = this->story();
    if (!story.player) return;
    if (this == story.player || this == story.player->location) {
        story.rebuildScope(this);
        return;
    }
    // Only this object enters or leaves the scope; what it holds does not.
    // Taking it out of the world (no destination) takes it out of scope.
    const bool inScope = story.inScope(this);
    const bool destinationInScope = destination && story.inScope(destination);
    if (inScope && !destinationInScope) {
        story.scope.remove(this);
    } else if (!inScope && destinationInScope) {
        story.scope.add(this);
    }
}

void tnode::setShortName(const std::string& text) {
    // The index takes out the words of the forms in place now.
    story().names.renamed(*this);
    shortName = text;
    shortNames_.clear();
    namesMade_ = false;
}

const std::vector<tshortNames>& tnode::shortNames() const {
    if (namesMade_) return shortNames_;
    std::string joined;
    joined.reserve(shortName.size());
    for (std::size_t i = 0; i < shortName.size(); ++i) {
        joined += shortName[i];
        if (shortName[i] == ',' && i + 1 < shortName.size() && shortName[i + 1] == ' ') ++i;
    }
    const ttokenizer parts(joined, tcharset(","), tcharset(), false);
    shortNames_.reserve(parts.Tokens().size());
    for (const std::string& variant : parts.Tokens())
        shortNames_.push_back(buildShortNames(variant));
    namesMade_ = true;
    return shortNames_;
}

std::string tnode::nameForm(int32_t grammaticalCase, bool withAdjectives,
                            int32_t articleKind) const {
    const std::vector<tshortNames>& variants = shortNames();
    return velmo::nameForm(variants.empty() ? nullptr : &variants.front(), grammaticalCase,
                           withAdjectives, articleKind);
}

int32_t tnode::grammarClass() const {
    if (shortName.empty()) return 2;
    switch (shortName[0]) {
    case '+': return 0;
    case '-': return 1;
    case '$': return 3;
    case '&': return 4;
    default: return 2;
    }
}

void tnode::registerVerb(int32_t line, const std::string& pattern, const std::string& identifier,
                         const std::string& timeText) {
    story().verbs.addVerb(story().services, line, error, timeText, identifier, pattern);
}

// ------------------------------------------------------------ saved games

void tnode::saveState(std::ostream& out) const {
    const tnode* root = rootOf();
    if (!vars.empty()) vars.saveValues(out);
    if (kind == kKindObject && attrs) attrs->save(out);
    if (kind == kKindRoot) {
        writeInt32(out, static_cast<int32_t>(timers.size()));
        for (const ttimer& timer : timers) {
            writeInt32(out, root->indexOfChild(timer.object));
            writeInt32(out, timer.remaining);
        }
        writeInt32(out, static_cast<int32_t>(daemons.size()));
        for (const tnode* daemon : daemons) writeInt32(out, root->indexOfChild(daemon));
    }
    writeStr(out, shortName);
    writeStr(out, longDescription);
    writeInt32(out, mentioned ? 1 : 0);
    writeInt32(out, root->indexOfChild(location));
}

bool tnode::restoreState(std::istream& in) {
    tnode* root = rootOf();
    // Whatever is read below, the snapshots no longer describe this game.
    story().dropUndo();

    if (!vars.empty() && !vars.readValues(in)) return false;
    if (kind == kKindObject && attrs && !attrs->read(in)) return false;
    if (kind == kKindRoot) {
        // Read whole before they replace the running lists, so a bad
        // index leaves no half list behind. Counts are not trusted for
        // allocations: a file too short for them ends the loop.
        int32_t count = 0;
        std::vector<ttimer> readTimers;
        if (!readInt32(in, count) || count < 0) return false;
        for (int32_t i = 0; i < count; ++i) {
            int32_t index = 0;
            int32_t remaining = 0;
            if (!readInt32(in, index) || !readInt32(in, remaining)) return false;
            tnode* object = childAt(index);
            if (!object) return false;
            readTimers.push_back({remaining, remaining, object});
        }
        std::vector<tnode*> readDaemons;
        if (!readInt32(in, count) || count < 0) return false;
        for (int32_t i = 0; i < count; ++i) {
            int32_t index = 0;
            if (!readInt32(in, index)) return false;
            tnode* object = childAt(index);
            if (!object) return false;
            readDaemons.push_back(object);
        }
        timers = std::move(readTimers);
        daemons = std::move(readDaemons);
    }

    std::string text;
    if (!readStr(in, text)) return false;
    setShortName(text);
    if (!readStr(in, text)) return false;
    setLongDescription(text);
    int32_t value = 0;
    if (!readInt32(in, value)) return false;
    mentioned = value > 0;
    if (!readInt32(in, value)) return false;
    if (value < 0) {
        moveTo(nullptr);
    } else {
        // The root has no place in the world.
        tnode* destination = root->childAt(value);
        if (!destination || kind == kKindRoot) return false;
        moveTo(destination);
    }
    return true;
}

}  // namespace velmo
