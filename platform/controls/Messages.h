// Window messages: the numbers and the message record (platform/win/WinMessages.h)
// and the class library's read views of it (MessageRecords.h).
#pragma once
#include "platform/controls/MessageRecords.h"
#include "platform/win/WinMessages.h"
