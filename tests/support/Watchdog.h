#pragma once
// Work that must end runs on a thread of its own, so that a test of it fails instead of
// hanging. The work must own what it touches: when the time runs out it is left running.
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "model/Settings.h"
#include "model/Sim.h"
#include "support/TestHost.h"

namespace magmo::test {

template <typename Work>
bool endsWithin(std::chrono::seconds limit, Work work) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> ended = done->get_future();
  std::thread([done, work = std::move(work)]() mutable {
    work();
    done->set_value();
  }).detach();
  return ended.wait_for(limit) == std::future_status::ready;
}

// A simulation for such work, on the heap so that it outlives an abandoned run.
struct LoneSim {
  TestHost host;
  MemorySettings settings;
  Sim sim{host, settings};
};

}  // namespace magmo::test
