// The walking scheme of the rewriting passes: look at the objects in list
// order, rewrite at the first one the rule applies to, start again from the
// first object, and stop after a walk without rewrites or at an error.
//
// Starting again from the front only ever finds the first object whose answer
// is not "nothing to do", so the walk keeps the objects it has not yet ruled
// out in a queue ordered by list position, and the graph re-queues whatever a
// rewrite may have changed. The result is that of the restarting walk.
#pragma once

#include "pasexport/workgraph.h"

namespace kb::pas {

enum class TStep { Skip, Rewrote, Failed };

class TWalk
{
public:
    TWalk(TWorkGraph& graph, TReach reach) : m_graph(graph), m_queue(graph, reach)
    {
        m_queue.PushAll();
        m_graph.Watch(&m_queue);
    }
    ~TWalk() { m_graph.Unwatch(&m_queue); }
    TWalk(const TWalk&) = delete;
    TWalk& operator=(const TWalk&) = delete;

    // step(id) must not change anything when it answers Skip or Failed.
    // Returns false when the pass ended at an error.
    template <class Step> bool Run(Step step)
    {
        while (!m_queue.Empty()) {
            const TNodeId id = m_queue.Top();
            if (!m_graph.Alive(id)) {
                m_queue.Pop();
                continue;
            }
            switch (step(id)) {
            case TStep::Skip:
                m_queue.Pop();
                break;
            case TStep::Failed:
                return false; // stays queued: the next walk meets it again
            case TStep::Rewrote:
                break; // stays queued: the rewrite may have left work there
            }
        }
        return true;
    }

private:
    TWorkGraph& m_graph;
    TDirtyQueue m_queue;
};

} // namespace kb::pas
