// components/XmlPullParser.h
// A small, forgiving pull parser over one NUL-terminated buffer of 8-bit text,
// and the non-visual component that turns its parts into events.
#pragma once
#include "components/XmlPullParser_Types.h"
#include "components/XmlPullParser_Lists.h"
#include "components/XmlPullParser_Attributes.h"
#include "components/XmlPullParser_Dtd.h"
#include "components/XmlPullParser_EntityStack.h"
#include "components/XmlPullParser_Parser.h"
#include "components/XmlPullParser_Routines.h"
#include "components/XmlPullParser_Scanner.h"
