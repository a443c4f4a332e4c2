// grid/GxValueColumnsSupport.h
// What the sources of the value column kinds share: the setter that
// repaints, and the editor an edit works with.
#pragma once
#include "grid/GxColumns.h"
#include "grid/shared/GxEdit.h"

namespace GxColumnClasses::ValueSupport {

using namespace GxColumns;

// Stores Value and repaints the column when it changes Field.
template <typename T> void StoreAndRepaint(TGxCustomColumn* Column, T& Field, const T& Value)
{
    if (Field == Value) return;
    Field = Value;
    Column->Refresh(gaNone);
}

// The editor an edit of Column works with: the user's InplaceEdit, else its own.
inline GxEdit::TGxCustomEdit* ActiveEditor(const TGxCustomColumn* Column)
{
    return Column->GetInplaceEdit() ? Column->GetInplaceEdit() : Column->GetEditor();
}

} // namespace GxColumnClasses::ValueSupport
