// The toolkit runs on a thread of its own, so that its windows keep
// drawing (the wait dialog's clip plays) while the thread that owns a
// dialog is busy with the work the dialog waits for. Every window of the
// toolkit is made, changed and destroyed on that thread; the dialogs'
// threads hand it work with Post (in order) or Call (and wait).
#pragma once

#include <functional>
#include <future>
#include <type_traits>

namespace vext::gui {

class GuiThread {
 public:
  // The process's toolkit thread, started on first use; null when no
  // display can be opened (then it is never tried again).
  static GuiThread* Instance();

  // Runs `work` on the toolkit thread, after what was posted before it.
  void Post(const std::function<void()>& work);

  // Runs `work` there and waits for its result. Never from the toolkit
  // thread itself.
  template <typename Work>
  auto Call(Work work) -> std::invoke_result_t<Work> {
    using Result = std::invoke_result_t<Work>;
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    Post([task] { (*task)(); });
    return result.get();
  }

  bool IsCurrent() const;
};

}  // namespace vext::gui
