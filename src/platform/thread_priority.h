#pragma once
// The scheduling priority of the calling thread: the communication thread runs a step
// above the others so that a reply is taken as soon as it is in; the sampling thread
// runs only when nothing else wants the processor.

namespace vantor {

enum class ThreadPriority { AboveNormal, Idle };

// Best effort: a system that does not allow the change leaves the thread as it is.
void SetCurrentThreadPriority(ThreadPriority priority);

}  // namespace vantor
