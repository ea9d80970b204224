// The MFC-shaped foundation in one include: strings, collections, objects
// and archives, files and their errors, message boxes.
#pragma once

#include "AfxTypes.h"
#include "Archive.h"
#include "CString.h"
#include "Collections.h"
#include "Exceptions.h"
#include "File.h"
#include "Sj.h"
#include "UserInterface.h"
