implementation
procedure Outer;
 procedure Inner; begin a; end;
begin try x; finally y; end; end;
function F(a: integer): integer; begin repeat until x; end;
