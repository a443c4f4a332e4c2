// The class library's core classes: persistent objects, components with the
// owner model, lists, string lists and streams.
#pragma once
#include "platform/classes/Objects.h"
#include "platform/classes/Streams.h"
#include "platform/classes/StringList.h"

#include <functional>
#include <vector>

class TComponent;

using TNotifyEvent = std::function<void(TObject* Sender)>;

using TGetChildProc = std::function<void(TComponent* Child)>;

enum TOperation { opInsert, opRemove };
enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = Set<TComponentStateItem>;

class TPersistent : public TObject {
public:
    QM_CLASS(TPersistent, TObject)
    // Copies Source into this object; raises EConvertError when it cannot.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// A list of untyped pointers, as the class library's TList.
class TList : public TObject {
public:
    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    int Remove(void* Item);
    void Clear();
    int IndexOf(void* Item) const;
    void Exchange(int A, int B);
    void Move(int CurIndex, int NewIndex);
    void* Extract(void* Item);
    void Pack();
    int GetCount() const { return static_cast<int>(FItems.size()); }
    void SetCount(int Value);
    int GetCapacity() const { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int Value);
    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* First() const { return Get(0); }
    void* Last() const { return Get(GetCount() - 1); }
    void Sort(const std::function<int(void*, void*)>& Compare);
    void** List() { return FItems.data(); }

private:
    [[noreturn]] void Error(int Index) const;
    std::vector<void*> FItems;
};

class TComponent : public TPersistent {
public:
    QM_CLASS(TComponent, TPersistent)
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    void BeforeDestruction() override;

    TComponent* GetOwner() const { return FOwner; }
    const AnsiString& GetName() const { return FName; }
    virtual void SetName(const AnsiString& Value);
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* GetComponents(int Index) const { return FComponents.at(Index); }
    int GetComponentIndex() const;
    TComponentState GetComponentState() const { return FComponentState; }
    TComponent* FindComponent(const AnsiString& Name) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    void Destroying();

    // Asks AComponent to tell this component (through Notification) when it goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Streaming stands in a form's builder (there is no resource reader): it
    // makes each stored component and sets csLoading; a component stored
    // inside another (HasParent) is handed that one through
    // SetParentComponent; the builder sets its stored properties, then calls
    // ReadState, where a component acts on what was read, as the end of its
    // reading from a form resource would. Once the form stands, Loaded runs
    // on every component in creation order.
    void SetLoading(bool Value);
    virtual void ReadState() {}
    virtual void Loaded();

    // The parent side: the component a form stores this one inside (a
    // column inside its grid), and the children a component hands over to
    // be stored inside it, in order.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    // The owner of the components stored inside this one (null: they keep
    // the owner they were made with).
    virtual TComponent* GetChildOwner() const { return nullptr; }
    virtual void GetChildren(const TGetChildProc&, TComponent* /*Root*/) {}
    virtual void SetChildOrder(TComponent* /*Child*/, int /*Order*/) {}

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetComponentStateFlag(TComponentStateItem Flag, bool On);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    AnsiString FName;
    int FTag = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
};

// Unit start-up and shut-down sections, run in the order they were added by
// RunUnitInitializations (the application's Initialize and each test main).
void AddUnitSection(const char* Name, void (*Initialization)(), void (*Finalization)());
void RunUnitInitializations();
void RunUnitFinalizations();

// Shows the exception being handled where nothing may raise further (a store
// flushed while it is freed); call it from a catch block. The application
// object registers its HandleException here; until then the message goes to
// the standard error stream.
extern void (*ApplicationHandleExceptionHook)(TObject* Sender);
void ApplicationHandleException(TObject* Sender);
