// The form document library VextBase: layouts (formats) and their
// property objects, documents and data sets, and their files. Include this
// header, as "vextbase/VextBase.h", for all of it.
//
//   CNVextLayoutData   a layout: identifier, faces, table region, objects
//   CNPropObj          an object on the form: order, item name, flags
//   CNVextDoc          a filled-in form, with its header (tagNVEXTDOC)
//   CPropData          a document's property data (CNVextDoc::RefList)
//   CKorbe95Data       a data set: documents and their layout identifier
//   CVextFileIO        data files and original-form files
//   CVextBase          a current layout, loaded from a format file
//   CVextBasePrtFrm    the print frame: blank documents of its layout
//
// Strings are CP932 byte strings. Documents, layouts and data sets are
// deleted through their virtual destructors. The small getters and setters
// are defined here, once, and reach every host through this header.
#pragma once

#include "Korbe95Data.h"
#include "NPropObj.h"
#include "NVextDoc.h"
#include "NVextDocHeader.h"
#include "NVextLayoutData.h"
#include "PropData.h"
#include "VextBaseApi.h"
#include "VextBaseFrame.h"
#include "VextFileIO.h"
