#include "platform/ui/DialogTemplate.h"

namespace {

thread_local HINSTANCE t_resourceModule = nullptr;

}  // namespace

namespace vext {

const DialogTemplate* ResourceModule::FindDialog(UINT id) const {
  for (const DialogTemplate& dialog : dialogs)
    if (dialog.id == id) return &dialog;
  return nullptr;
}

const AnimationClip* ResourceModule::FindClip(UINT id) const {
  for (const AnimationClip& clip : clips)
    if (clip.id == id) return &clip;
  return nullptr;
}

}  // namespace vext

HINSTANCE AfxGetResourceHandle() { return t_resourceModule; }
void AfxSetResourceHandle(HINSTANCE module) { t_resourceModule = module; }
