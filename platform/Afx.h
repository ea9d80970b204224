// The MFC-shaped foundation in one include: strings, collections, objects
// and archives, files and their errors, message boxes.
#pragma once

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/base/Exceptions.h"
#include "platform/fs/Archive.h"
#include "platform/fs/File.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"
