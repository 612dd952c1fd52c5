#include "graph/graphviz_run.h"

#include <gvc.h>
#include <pthread.h>

#include <exception>
#include <mutex>

// The two plugins the map needs, linked in rather than found through Graphviz's plugin
// configuration: the dot layout and the core renderers (SVG, DOT). Without a text-layout
// plugin, Graphviz sizes text from its own font tables, the same on every machine.
extern "C" {
extern gvplugin_library_t gvplugin_dot_layout_LTX_library;
extern gvplugin_library_t gvplugin_core_LTX_library;
}

namespace tw {
namespace {

// Graphviz recurses once per node of its working graph in places (the network simplex's
// tree walks), and that graph holds a hidden node for every rank a link crosses.
constexpr std::size_t kGraphvizStackBytes = 256 * 1024 * 1024;

std::mutex& GraphvizLock() {
    static std::mutex lock;
    return lock;
}

class Context {
public:
    Context() {
        static lt_symlist_t builtins[] = {
            {"gvplugin_dot_layout_LTX_library", &gvplugin_dot_layout_LTX_library},
            {"gvplugin_core_LTX_library", &gvplugin_core_LTX_library},
            {nullptr, nullptr}};
        context_ = gvContextPlugins(builtins, 0);
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    ~Context() { gvFreeContext(context_); }

    GVC_t* Get() const { return context_; }

private:
    GVC_t* context_;
};

std::string& Reported() {
    static std::string reported;
    return reported;
}

int CollectReport(char* text) {
    Reported() += text;
    return 0;
}

struct Job {
    const std::function<void(GVC_s*)>* work;
    std::exception_ptr failure;
};

void* RunJob(void* data) {
    auto* job = static_cast<Job*>(data);
    try {
        static Context context;
        (*job->work)(context.Get());
    } catch (...) {
        job->failure = std::current_exception();
    }
    return nullptr;
}

// On the big stack when a thread can be had; on the caller's own otherwise.
void RunOnLargeStack(Job& job) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        RunJob(&job);
        return;
    }
    pthread_t thread;
    const bool started = pthread_attr_setstacksize(&attributes, kGraphvizStackBytes) == 0 &&
                         pthread_create(&thread, &attributes, RunJob, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (started) {
        pthread_join(thread, nullptr);
    } else {
        RunJob(&job);
    }
}

}  // namespace

std::string RunGraphviz(const std::function<void(GVC_s* context)>& work) {
    const std::lock_guard<std::mutex> hold(GraphvizLock());
    Reported().clear();
    const agusererrf before = agseterrf(CollectReport);
    agreseterrors();
    Job job{&work, nullptr};
    RunOnLargeStack(job);
    agseterrf(before);
    if (job.failure) {
        std::rethrow_exception(job.failure);
    }
    return Reported();
}

}  // namespace tw
