// components/XmlPullParser_EntityStack.h
// The stack of entities the parser is reading.
#pragma once
#include "platform/classes/Classes.h"

#include <memory>
#include <string_view>
#include <vector>

namespace XmlPullParser {

class TXmlParser;

class TEntityStackNode : public TObject {
public:
    ~TEntityStackNode() override { Free(Instance); }
    TObject* Instance = nullptr; // freed when the node is popped
    AnsiString Encoding;         // the parser's encoding when the node was pushed
    const char* Pos = nullptr;   // where reading resumes
    // The text of the entity being read, copied so that a declaration read
    // inside it cannot pull it away, with a NUL before it as before any text.
    std::unique_ptr<char[]> Text;
};

// The entities being expanded, innermost last.
class TEntityStack : public TObject {
public:
    explicit TEntityStack(TXmlParser* AOwner) : FOwner(AOwner) {}
    void Push(const char* APos) { Push(nullptr, APos); }
    void Push(TObject* AInstance, const char* APos);
    // Pushes APos and a copy of Text (the text of AInstance, if given);
    // returns where the copy starts.
    const char* PushText(std::string_view Text, const char* APos, TObject* AInstance = nullptr);
    // The position to resume at, or null when the stack is empty.
    const char* Pop();
    int GetCount() const { return static_cast<int>(FNodes.size()); }
    void Clear() { FNodes.clear(); }

private:
    TXmlParser* FOwner;
    std::vector<TOwned<TEntityStackNode>> FNodes;
};

} // namespace XmlPullParser
