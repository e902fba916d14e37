// The object model of the class library: TObject, TPersistent and TComponent with its owner
// tree, names, component state and free notification; plus the small shared value types.
#pragma once

#include <functional>
#include <vector>

#include "rtl/Set.h"
#include "rtl/StrUtils.h"

class TObject {
public:
    virtual ~TObject() = default;
    // The class name as declared, e.g. "TStringList".
    String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TFiler;
class TBasicAction;

class TPersistent : public TObject {
public:
    // Copies Source into this object; the default asks Source to do it, and raises
    // EConvertError when neither side knows the other's class.
    virtual void Assign(TPersistent* Source);
    // Streaming: names the properties the object reads and writes itself (TFiler::DefineProperty).
    virtual void DefineProperties(TFiler* Filer) {}

protected:
    virtual void AssignTo(TPersistent* Dest);
};

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = Set<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    // Owned component of that name, letter case ignored; nullptr when there is none.
    TComponent* FindComponent(const String& name) const;

    const String& Name() const { return FName; }
    virtual void SetName(const String& name);
    long Tag() const { return FTag; }
    void SetTag(long tag) { FTag = tag; }

    TComponentState ComponentState() const { return FComponentState; }
    void SetComponentStateFlag(TComponentStateItem item, bool on);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees the owned components, last inserted first.
    void DestroyComponents();
    // Marks this component and those it owns as being destroyed.
    virtual void Destroying();

    // Either component hears of the other's destruction through Notification(.., opRemove).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Called after the design has set every property; clears csLoading.
    virtual void Loaded();

    // An action offered to this component: carried out on it, or its state taken from it,
    // when the action takes the component as its target. True when the action did.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);

protected:
    // Base behaviour: forgets a removed free-notification partner and passes the news on
    // to every owned component. Overrides clear their references, then call this.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

private:
    void Remove(TComponent* component);
    void Insert(TComponent* component);
    void ValidateName(const String& name) const;
    static void Unlink(std::vector<TComponent*>& list, TComponent* component);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    long FTag = 0;
    TComponentState FComponentState;
    bool FHasFreeNotification = false;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateItem>;

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

TPoint Point(int x, int y);
TRect Rect(int left, int top, int right, int bottom);
TRect Bounds(int left, int top, int width, int height);
bool PtInRect(const TRect& rect, const TPoint& point);

// Deletes the object and clears the pointer first, as the class library's FreeAndNil does.
template <typename T>
void FreeAndNil(T*& object)
{
    T* doomed = object;
    object = nullptr;
    delete doomed;
}
