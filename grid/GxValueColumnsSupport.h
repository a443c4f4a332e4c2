// grid/GxValueColumnsSupport.h
// What the sources of the value column kinds share: the editor an edit
// works with.
#pragma once
#include "grid/GxColumns.h"
#include "grid/shared/GxEdit.h"

namespace GxColumnClasses::ValueSupport {

using namespace GxColumns;

// The editor an edit of Column works with: the user's InplaceEdit, else its own.
inline GxEdit::TGxCustomEdit* ActiveEditor(const TGxCustomColumn* Column)
{
    return Column->GetInplaceEdit() ? Column->GetInplaceEdit() : Column->GetEditor();
}

} // namespace GxColumnClasses::ValueSupport
