XIncludeFile "orv.pbi"
; Orders read from a data section into a list of structures; per customer a map of structures,
; per kind a plain map; the kinds numbered by a named enumeration that goes on in a second block.
Enumeration Kind
  #KindBook
  #KindGame
EndEnumeration
Enumeration Kind
  #KindMusic
EndEnumeration

Structure Order
  customer.s
  kind.i
  amount.i
EndStructure

Structure Account
  orders.i
  spent.i
EndStructure

NewList orders.Order()
NewMap accounts.Account()
NewMap perKind()

Procedure.i Largest(List all.Order())
  Protected best = 0
  ForEach all()
    If all()\amount > best
      best = all()\amount
    EndIf
  Next
  ProcedureReturn best
EndProcedure

Restore Orders
Read.i count
For i = 1 To count
  AddElement(orders())
  Read.s orders()\customer
  Read.i orders()\kind
  Read.i orders()\amount
Next

ForEach orders()
  accounts(orders()\customer)\orders + 1
  accounts(orders()\customer)\spent + orders()\amount
  key$ = Str(orders()\kind)
  perKind(key$) = perKind(key$) + 1
Next

Debug "orders: " + Str(ListSize(orders()))
Debug "largest: " + Str(Largest(orders()))
SortStructuredList(orders(), #PB_Sort_Descending, OffsetOf(Order\amount), TypeOf(Order\amount))
FirstElement(orders())
Debug "first after sort: " + orders()\customer + " " + Str(orders()\amount)

Restore Customers
For i = 1 To 2
  Read.s name$
  If FindMapElement(accounts(), name$)
    Debug name$ + " " + Str(accounts()\orders) + " orders, " + Str(accounts()\spent)
  Else
    Debug name$ + " has no orders"
  EndIf
Next

check = 0
ForEach accounts()
  ForEach orders()
    If orders()\customer = MapKey(accounts())
      check + orders()\amount
    EndIf
  Next
Next
Debug "check: " + Str(check)
Debug "kinds: " + Str(MapSize(perKind())) + ", books: " + Str(perKind(Str(#KindBook)))
Debug "music: " + Str(#KindMusic)

ForEach orders()
  If orders()\kind = #KindGame
    DeleteElement(orders())
  EndIf
Next
Debug "without games: " + Str(ListSize(orders()))

DataSection
  Orders:
  Data.i 4
  Data.s "ann"
  Data.i #KindBook, 12
  Data.s "bob"
  Data.i #KindGame, 30
  Data.s "ann"
  Data.i #KindMusic, 7
  Data.s "ann"
  Data.i #KindGame, 20
  Customers:
  Data.s "ann", "cid"
EndDataSection
