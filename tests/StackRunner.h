// Runs a piece of a test on a thread with a small stack of a given size, so that a test
// can show that a deep structure is handled without recursion per level.
#pragma once

#include <pthread.h>

#include <cstddef>
#include <exception>
#include <functional>
#include <string>

namespace dw::testing {

// Runs body on a new thread whose stack is stackBytes large and waits for it. Returns ""
// or the text of an exception that left body. A stack overflow ends the whole test binary.
inline std::string RunWithStack(std::size_t stackBytes, const std::function<void()>& body) {
  struct Job {
    const std::function<void()>* body;
    std::string error;
  } job{&body, {}};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, stackBytes);
  pthread_t thread;
  auto run = [](void* argument) -> void* {
    auto* job = static_cast<Job*>(argument);
    try {
      (*job->body)();
    } catch (const std::exception& e) {
      job->error = e.what();
    } catch (...) {
      job->error = "unknown exception";
    }
    return nullptr;
  };
  if (pthread_create(&thread, &attributes, run, &job) != 0) {
    pthread_attr_destroy(&attributes);
    return "pthread_create failed";
  }
  pthread_attr_destroy(&attributes);
  pthread_join(thread, nullptr);
  return job.error;
}

}  // namespace dw::testing
